#pragma once
// Plays the user at the common file dialog: a helper thread waits for the next file dialog of this
// process, types a path into its file name box and presses OK, or presses Cancel. The dialog runs
// modally on the test's thread, as in the programs.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace testing_support {

class FileDialogDriver {
 public:
  // path "" presses Cancel. The driver gives up after timeoutMs without a dialog.
  explicit FileDialogDriver(std::string path, DWORD timeoutMs = 15000);
  ~FileDialogDriver();
  FileDialogDriver(const FileDialogDriver&) = delete;
  FileDialogDriver& operator=(const FileDialogDriver&) = delete;

  // Waits for the thread; true when a dialog was found and answered.
  bool Answered();
  // The dialog's caption ("Open", "Save As"...), once answered.
  const std::string& Caption() const { return caption_; }

 private:
  void Run();
  std::string path_;
  DWORD timeoutMs_;
  std::string caption_;
  std::atomic<bool> answered_{false};
  std::thread thread_;
};

}  // namespace testing_support
