#pragma once
// frmMain: Plugwarden's main window. It turns messages into calls on plugwarden::MainWindow and
// shows what the presenter tells it (MainView). Loaded by the splash; its unload ends the program.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "plugwarden/main_window.h"
#include "shared/win32/language_combo.h"
#include "shared/win32/list_view.h"
#include "shared/win32/window_kit.h"

namespace plugwarden::win32 {

// Control and menu IDs.
enum : int {
  kListView1 = 100,
  kLabel1,
  kComboLang,
  kLabel2,
  kCheck1,
  kLabel3,
  kCommand1,
  kCmdDisable,
  kCmdRemove,
  kCmdReset,
  kCmdApply,
  kMenuFile = 200,
  kMnuExit,
  kMenuConfig = 210,
  kMnuSaveProf,
  kMnuLoadProf,
  kMenuHelp = 220,
  kMnuHelpIndex,
  kMnuUpdate,
  kMnuAbout,
};

inline constexpr char kInstanceMutexName[] = "Local\\Plugwarden.frmMain";

struct MainWindowOptions {
  std::string instanceName = kInstanceMutexName;
  HICON icon = nullptr;  // not owned
  // Ends the program; the default posts WM_QUIT. Every window of the program is closed first.
  std::function<void()> endProgram;
};

class frmMain final : public shared::win32::WindowBase<frmMain>, private MainView {
 public:
  frmMain(const MainServices& services, MainWindowOptions options);
  ~frmMain();

  // The splash's hand-over: creates the window (its load runs here) and shows it; nullptr when
  // the program is not to go on (another instance runs, or no window could be made).
  HWND Load();

  MainWindow& Presenter() { return presenter_; }
  const shared::win32::ReportListView& ListView1() const { return list_; }
  const shared::win32::LanguageCombo& ComboLang() const { return combo_; }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // MainView
  void SetText(MainText target, const std::string& text) override;
  void SetColumnHeader(int column, const std::string& text) override;
  void SetCheck(bool on) override;
  void EnableRemove(bool enabled) override;
  void SetRightToLeft(bool on) override;
  shared::Status ShowLanguages(shared::LanguageList& languages) override;
  void ShowRows(const shared::ListModel& list) override;
  void ShowRow(const shared::ListModel& list, int position) override;
  void SelectRow(int position) override;
  void ShowToolTip(const ToolTipContent& content) override;
  void OpenSaveProfile() override;
  void OpenLoadProfile() override;
  void OpenAbout() override;
  void EndProgram() override;

  void CreateControls();
  void Command(int id, int code, HWND control);
  // What WM_NOTIFY returns.
  LRESULT Notify(NMHDR* header);

  MainServices services_;
  MainWindowOptions options_;
  MainWindow presenter_;
  std::optional<shared::win32::SingleInstance> instance_;
  shared::win32::ReportListView list_;
  shared::win32::LanguageCombo combo_;
  bool creating_ = false;
  bool ending_ = false;
};

}  // namespace plugwarden::win32
