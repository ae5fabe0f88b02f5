// Bootwarden's windows in process under Wine and Xvfb: the real common file dialog, then the main
// window and the add-task dialog on the real registry, win.ini and Startup folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>

#include "bootwarden/startup_files.h"
#include "bootwarden/win32/frm_add_task.h"
#include "bootwarden/win32/frm_main.h"
#include "shared/language_pack.h"
#include "shared/text.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_dialog.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"
#include "tests/common/bootwarden_rig.h"
#include "tests/common/startup_scenario.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_session.h"
#include "tests/fakes/fake_shell.h"
#include "tests/wine/test_paths.h"
#include "tests/wine/ui_driver.h"
#include "tests/wine/win32_startup_machine.h"

namespace {

using bootwarden::MainMenu;
using testing_support::Click;
using testing_support::Pump;
using testing_support::WindowText;
using bootwarden::StartupEntry;
namespace bw = bootwarden::win32;

void Menu(HWND window, MainMenu item) { testing_support::Command(window, bw::MenuId(item)); }

constexpr char kMachineRun[] = "Registry(Machine Run)";

// Bootwarden's main window on the test prefix's real registry, win.ini, Startup folders and
// settings; message boxes, the shell and the session are fakes.
class BootwardenWindows : public ::testing::Test {
 protected:
  BootwardenWindows()
      : machine_(testing_support::Win32StartupMachine("bootwarden-ui")),
        files_(*machine_.files),
        language_(*machine_.profile, files_, clock_, testing_support::ExecutableFolder()) {}

  static void SetUpTestSuite() {
    shared::win32::InitKitControls();
    shared::win32::RegisterXPCmdButton();
  }
  void SetUp() override {
    testing_support::SeedStartupScenario(machine_);
    files_.RemoveFile(StorePath()).IgnoreError();
    ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", "English.ini").ok());
  }
  void TearDown() override {
    if (HWND about = shared::win32::frmAbout::Current()) ::DestroyWindow(about);
    Close();
    testing_support::ClearStartupLocations(machine_);
  }

  // A fresh main window, loaded and shown.
  HWND Open() {
    rig_ = std::make_unique<testing_support::BootwardenRun>(machine_, prompt_);
    main_ = std::make_unique<bw::frmMain>(
        bootwarden::MainWindowServices{language_, settings_, files_, prompt_, dialog_, shell_, session_,
                                       rig_->sources, rig_->targets},
        bw::FrmMainOptions{.quitOnClose = false});
    HWND window = main_->CreateAndShow();
    dialog_.SetOwner(window);
    Pump();
    return window;
  }
  void Close() {
    if (main_ && main_->Window() != nullptr) ::SendMessageA(main_->Window(), WM_CLOSE, 0, 0);
    Pump();
    main_.reset();
  }
  int Row(const std::string& loadFrom, const std::string& taskName) {
    const int row = testing_support::RowOf(main_->List(), loadFrom, taskName);
    EXPECT_NE(row, 0) << taskName << " from " << loadFrom;
    return row;
  }
  void SelectRow(int position) { testing_support::SelectRow(main_->List().Handle(), position); }
  HWND Control(int id) { return ::GetDlgItem(main_->Window(), id); }
  // The menu item, its file dialog answered with the path.
  void ThroughDialog(const std::string& path, MainMenu item) {
    testing_support::FileDialogDriver user(path);
    Menu(main_->Window(), item);
    ASSERT_TRUE(user.Answered());
  }
  void JustApply() {
    prompt_.Script({shared::kAnswerYes});
    Menu(main_->Window(), MainMenu::kAppJust);
  }
  std::string Status(int row) { return main_->List().Text(row, StartupEntry::kStatus); }
  std::string StorePath() { return shared::GetWinDir(*machine_.windowsFolder) + "\\SaveProf.pro"; }

  testing_support::StartupMachine machine_;
  shared::FileSystemPort& files_;
  shared::win32::Win32Clock clock_;
  shared::win32::Win32Settings settings_;
  shared::LanguagePack language_;
  fakes::FakePrompt prompt_;
  shared::win32::Win32FileDialog dialog_;
  fakes::FakeShell shell_;
  fakes::FakeSession session_;
  std::unique_ptr<testing_support::BootwardenRun> rig_;
  std::unique_ptr<bw::frmMain> main_;
};

// The window's button, apply item, close and load on one entry (what each kind of location does
// is the staging suite's under Wine); then Add Task, the profiles and Arabic right to left.
TEST_F(BootwardenWindows, DisabledEntriesGoToTheStoreAndComeBackAddTaskProfilesAndArabicRightToLeft) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(WindowText(main_->Window()), "Bootwarden");
  SelectRow(Row(kMachineRun, "Shared Name"));
  EXPECT_EQ(WindowText(Control(bw::kCmdDisableId)), "&Disable");
  Click(Control(bw::kCmdDisableId));
  EXPECT_EQ(Status(Row(kMachineRun, "Shared Name")), "Disabled");
  JustApply();
  Close();
  EXPECT_EQ(testing_support::RunValue(*machine_.registry, shared::kHkeyLocalMachine, "Run", "Shared Name"), "<none>");
  EXPECT_EQ(bootwarden::ReadStartupEntryFile(files_, StorePath()).value_or({}).size(), 1u) << "written at the close";
  EXPECT_TRUE(session_.Requests().empty());

  // The next run lists it from the store; what enabling it does is the staging suite's.
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  SelectRow(Row(kMachineRun, "Shared Name"));
  EXPECT_EQ(WindowText(Control(bw::kCmdDisableId)), "&Enable");
  const int rows = main_->List().Count();

  // Add Task for the current user's Startup folder; the shortcut is written at the next apply.
  Click(Control(bw::kCmdAddTaskId));
  HWND add = bw::frmAddTask::Current();
  ASSERT_NE(add, nullptr);
  HWND combo = ::GetDlgItem(add, bw::kAddCombo1Id);
  // The eight, then the 32-bit view's three: this prefix has both views.
  ASSERT_TRUE(machine_.registry->HasTwoViews());
  ASSERT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 11);
  char item[64] = {};
  ::SendMessageA(combo, CB_GETLBTEXT, 8, reinterpret_cast<LPARAM>(item));
  EXPECT_STREQ(item, "Registry(Machine Run 32-bit)");
  EXPECT_EQ(::GetWindowLongA(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  for (const int location : {bootwarden::kWinIniRunLocation, bootwarden::kStartupCurrentUser}) {
    ::SendMessageA(combo, CB_SETCURSEL, location, 0);
    ::SendMessageA(add, WM_COMMAND, MAKEWPARAM(bw::kAddCombo1Id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(add, bw::kAddNameId)), location == bootwarden::kStartupCurrentUser);
  }
  ::SetWindowTextA(::GetDlgItem(add, bw::kAddNameId), "Added Tool");
  const std::string target = machine_.targetFolder + "\\added.exe";
  ASSERT_TRUE(files_.WriteFileAtomic(target, "MZ").ok());
  for (const std::string& answer : {std::string(), target}) {  // Cancel first: nothing chosen
    testing_support::FileDialogDriver user(answer);
    Click(::GetDlgItem(add, bw::kAddCommand1Id));
    ASSERT_TRUE(user.Answered());
    EXPECT_EQ(WindowText(::GetDlgItem(add, bw::kAddLocationId)), answer);
  }
  // A command line with arguments: the shortcut names the program and passes them on.
  ::SetWindowTextA(::GetDlgItem(add, bw::kAddLocationId), "C:\\windows\\notepad.exe /x");
  Click(::GetDlgItem(add, bw::kAddAddId));
  EXPECT_EQ(bw::frmAddTask::Current(), nullptr) << "closed after Add";
  ASSERT_EQ(main_->List().Count(), rows + 1);
  EXPECT_EQ(main_->List().Text(rows + 1, 0), "Added Tool");
  JustApply();
  const std::string link = testing_support::StartupFolder(machine_, shared::kCsidlStartup) + "\\Added Tool.lnk";
  EXPECT_EQ(shared::ToLowerAscii(machine_.shortcuts->ReadTargetPath(link)), "c:\\windows\\notepad.exe");
  EXPECT_EQ(machine_.shortcuts->ReadArguments(link), "/x");

  // The whole list to a profile and back through the dialogs.
  const std::string profile = testing_support::ScratchFolder("bootwarden-profiles") + "\\all.pro";
  files_.RemoveFile(profile).IgnoreError();
  ThroughDialog(profile, MainMenu::kSaveProf);
  EXPECT_EQ(bootwarden::ReadStartupEntryFile(files_, profile).value_or({}).size(), static_cast<std::size_t>(rows + 1))
      << "every row, the default value too";
  SelectRow(Row(kMachineRun, "Shared Name"));
  Click(Control(bw::kCmdRemoveId));
  EXPECT_FALSE(::IsWindowEnabled(Control(bw::kCmdRemoveId)));
  ThroughDialog(profile, MainMenu::kLoadProf);
  EXPECT_EQ(main_->List().Count(), rows + 1);
  EXPECT_EQ(Status(Row(kMachineRun, "Shared Name")), "Disabled") << "as saved, not the staged Remove";

  // Arabic turns the window right to left, English back.
  auto& languages = main_->Languages();
  EXPECT_EQ(languages.ItemText(languages.SelectedIndex()), "English");
  for (const char* language : {"Arabic", "English", "Arabic"}) {
    ASSERT_TRUE(testing_support::Choose(languages, language));
    const bool arabic = std::string(language) == "Arabic";
    EXPECT_EQ(shared::win32::IsRightToLeftLayout(window), arabic);
    EXPECT_EQ(shared::win32::IsRightToLeftLayout(main_->List().Handle()), arabic);
  }
  EXPECT_EQ(language_.CurrentLanguageFile(), "Arabic.ini");
  Close();
  EXPECT_EQ(settings_.GetSetting("Bootwarden", "Language", "Name"), "Arabic.ini");
}

}  // namespace
