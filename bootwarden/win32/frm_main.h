#pragma once
// frmMain: Bootwarden's main window. It turns messages into calls on bootwarden::MainWindow and
// shows what that presenter tells it through MainWindowView.
#include <windows.h>

#include "bootwarden/main_window.h"
#include "shared/registry_port.h"
#include "shared/win32/language_combo.h"
#include "shared/win32/list_view.h"
#include "shared/win32/window_kit.h"

namespace bootwarden::win32 {

// Control IDs (1 and 2 are the dialog manager's IDOK and IDCANCEL).
inline constexpr int kCmdAddTaskId = 101;
inline constexpr int kCmdResetId = 102;
inline constexpr int kCmdRemoveId = 103;
inline constexpr int kCmdDisableId = 104;
inline constexpr int kListView1Id = 105;
inline constexpr int kComboLangId = 106;
inline constexpr int kLabel3Id = 107;
inline constexpr int kLabel1Id = 108;
// Menu IDs: kMenuIdBase + the MainMenu value.
inline constexpr int kMenuIdBase = 300;
constexpr int MenuId(MainMenu menu) { return kMenuIdBase + static_cast<int>(menu); }

inline constexpr char kMainClassName[] = "BootwardenMain";
inline constexpr char kSingleInstanceName[] = "Local\\Bootwarden.Main";
// The client area; the controls' places leave a 120-twip margin right of the list and below
// the language box.
inline constexpr shared::TwipsRect kMainClient{0, 0, 9855, 5010};

struct FrmMainOptions {
  bool anotherInstance = false;  // App.PrevInstance, told by WinMain
  HICON icon = nullptr;          // not owned
  bool quitOnClose = true;       // the program ends with the window (tests keep their thread)
};

class frmMain : public shared::win32::WindowBase<frmMain>, private MainWindowView {
 public:
  frmMain(MainWindowServices services, FrmMainOptions options);
  ~frmMain() override;

  // Creates the window, which runs the load; shows it. nullptr when another instance runs
  // (nothing was read or written) or the window cannot be made.
  HWND CreateAndShow();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  MainWindow& Presenter() { return presenter_; }
  shared::win32::ReportListView& List() { return list_; }
  shared::win32::LanguageCombo& Languages() { return combo_; }

 private:
  bool OnCreate();
  void OnCommand(WPARAM wParam, LPARAM lParam);

  // MainWindowView
  bool AnotherInstanceRunning() override { return options_.anotherInstance; }
  void SetRightToLeft(bool rightToLeft) override;
  shared::Status ShowLanguageList(shared::LanguageList& list, const std::string& languageFolder) override;
  void SetMenuCaption(MainMenu menu, const std::string& text) override;
  void SetControlCaption(MainControl control, const std::string& text) override;
  void SetColumnHeader(int column, const std::string& text) override;
  void EnableRemove(bool enabled) override;
  void ShowRows() override;
  void ShowRow(int position) override;
  void ShowAddTask() override;
  void ShowAbout(const shared::AboutVariant& about) override;
  shared::WindowId Owner() override { return reinterpret_cast<shared::WindowId>(Window()); }
  void Close() override;

  MainWindowServices services_;
  FrmMainOptions options_;
  MainWindow presenter_;
  shared::win32::ReportListView list_;
  shared::win32::LanguageCombo combo_;
};

}  // namespace bootwarden::win32
