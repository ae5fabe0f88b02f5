#pragma once
// frmAddTask: the modeless add-task dialog, owned by the main window. Behaviour:
// bootwarden/add_task.h.
#include <windows.h>

#include "bootwarden/add_task.h"
#include "bootwarden/main_window.h"
#include "shared/win32/win32_file_dialog.h"
#include "shared/win32/window_kit.h"

namespace bootwarden::win32 {

inline constexpr int kAddCommand1Id = 201;  // Browse
inline constexpr int kAddCancelId = 202;
inline constexpr int kAddAddId = 203;
inline constexpr int kAddCombo1Id = 204;
inline constexpr int kAddLocationId = 205;  // txtLocation
inline constexpr int kAddNameId = 206;      // txtName
inline constexpr int kAddLabel5Id = 207;
inline constexpr int kAddLabel3Id = 208;
inline constexpr int kAddLabel1Id = 209;

inline constexpr char kAddTaskClassName[] = "BootwardenAddTask";
inline constexpr shared::TwipsRect kAddTaskClient{0, 0, 6450, 2280};

// frmAddTask::Show(owner, main) loads and shows the dialog, or brings the open one to the front;
// `main` must outlive it. Current() is the open one (ModelessWindow).
class frmAddTask : public shared::win32::ModelessWindow<frmAddTask>, private AddTaskView {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class shared::win32::ModelessWindow<frmAddTask>;
  frmAddTask(HWND owner, MainWindow& main);
  HWND Load();
  void CreateControls();

  // AddTaskView
  void SetRightToLeft(bool rightToLeft) override;
  void SetCaption(AddTaskControl control, const std::string& text) override;
  void SetLocations(const std::vector<std::string>& names) override;
  void EnableName(bool enabled) override;
  std::string Name() override;
  std::string Location() override;
  void SetLocation(const std::string& text) override;
  void Close() override;

  HWND owner_;
  shared::win32::Win32FileDialog dialog_;
  AddTask presenter_;
};

}  // namespace bootwarden::win32
