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
#include "shared/win32/frm_about.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_dialog.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
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

// Through the window: a registry value, a win.ini key and a shortcut (the staging suite takes
// every kind of location through the same cycle under Wine).
struct Kind {
  const char* loadFrom;
  const char* taskName;
};
constexpr Kind kKinds[] = {{"Registry(Machine Run)", "Shared Name"}, {"Win.ini Run", "Win.ini Run"},
                           {"StartUp (Current User)", "Tool"}};

// Bootwarden's main window on the test prefix's real registry, win.ini, Startup folders and
// settings; message boxes, the shell and the session are fakes.
class BootwardenWindows : public ::testing::Test {
 protected:
  BootwardenWindows()
      : machine_(testing_support::Win32StartupMachine("bootwarden-ui")),
        language_(profile_, files_, clock_, testing_support::ExecutableFolder()) {}

  static void SetUpTestSuite() {
    shared::win32::InitKitControls();
    shared::win32::RegisterXPCmdButton();
  }
  void SetUp() override {
    testing_support::SeedStartupScenario(machine_);
    files_.RemoveFile(shared::GetWinDir(*machine_.windowsFolder) + "\\SaveProf.pro").IgnoreError();
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
    auto& list = main_->List();
    for (int position = 1; position <= list.Count(); ++position) {
      if (list.Text(position, StartupEntry::kLoadFrom) == loadFrom && list.Text(position, 0) == taskName) return position;
    }
    ADD_FAILURE() << "no row " << taskName << " from " << loadFrom;
    return 0;
  }
  void SelectRow(int position) { testing_support::SelectRow(main_->List().Handle(), position); }
  HWND Control(int id) { return ::GetDlgItem(main_->Window(), id); }
  void JustApply() {
    prompt_.Script({shared::kAnswerYes});
    Menu(main_->Window(), MainMenu::kAppJust);
  }
  std::string RunValue(shared::RegRoot root, const std::string& key, const std::string& name) {
    shared::RegistryComponent reg(*machine_.registry);
    reg.RootKey = root;
    reg.KeyPath = std::string(bootwarden::kRunKeyBase) + key;
    reg.ValueName = name;
    return reg.GetValue().value_or("<none>");
  }
  std::string WinIni(const std::string& key) {
    return machine_.profile->GetString("Windows", key, "<none>", 1024, testing_support::WinIniPath(machine_));
  }
  std::string StartupFile(std::int32_t csidl, const std::string& name) {
    return testing_support::StartupFolder(machine_, csidl) + "\\" + name + ".lnk";
  }
  std::string StorePath() { return shared::GetWinDir(*machine_.windowsFolder) + "\\SaveProf.pro"; }

  testing_support::StartupMachine machine_;
  shared::win32::Win32FileSystem files_;
  shared::win32::Win32Profile profile_;
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

TEST_F(BootwardenWindows, DisabledEntriesLeaveTheirLocationsForTheStoreAndComeBackWhenEnabled) {
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WindowText(window), "Bootwarden");
  EXPECT_EQ(main_->List().Count(), 14);
  EXPECT_EQ(main_->List().Header(7), "");
  for (const Kind& kind : kKinds) {
    SelectRow(Row(kind.loadFrom, kind.taskName));
    EXPECT_EQ(WindowText(Control(bw::kCmdDisableId)), "&Disable") << kind.loadFrom;
    Click(Control(bw::kCmdDisableId));
    EXPECT_EQ(main_->List().Text(Row(kind.loadFrom, kind.taskName), StartupEntry::kStatus), "Disabled");
  }
  JustApply();
  Close();
  EXPECT_EQ(RunValue(shared::kHkeyLocalMachine, "Run", "Shared Name"), "<none>");
  EXPECT_EQ(WinIni("Run"), "");
  EXPECT_FALSE(files_.GetAttributes(StartupFile(shared::kCsidlStartup, "Tool")));
  auto stored = bootwarden::ReadStartupEntryFile(files_, StorePath());
  ASSERT_TRUE(stored.ok());
  EXPECT_EQ(stored.value().size(), std::size(kKinds));

  Open();
  for (const Kind& kind : kKinds) {
    const int row = Row(kind.loadFrom, kind.taskName);
    EXPECT_EQ(main_->List().Text(row, StartupEntry::kStatus), "Disabled");
    SelectRow(row);
    EXPECT_EQ(WindowText(Control(bw::kCmdDisableId)), "&Enable") << kind.loadFrom;
    Click(Control(bw::kCmdDisableId));
  }
  JustApply();
  Close();
  EXPECT_EQ(RunValue(shared::kHkeyLocalMachine, "Run", "Shared Name"), "C:\\Tools\\machine-shared.exe");
  EXPECT_EQ(WinIni("Run"), "first.exe second.exe");
  EXPECT_EQ(machine_.shortcuts->ReadTargetPath(StartupFile(shared::kCsidlStartup, "Tool")),
            machine_.targetFolder + "\\tool.exe");
  EXPECT_FALSE(files_.GetAttributes(StorePath())) << "no disabled entry left";
  EXPECT_TRUE(session_.Requests().empty());
}

TEST_F(BootwardenWindows, AddTaskProfilesAndArabicRightToLeft) {
  HWND window = Open();
  ASSERT_NE(window, nullptr);
  const int rows = main_->List().Count();

  // Add Task for the current user's Startup folder; the shortcut is written at the next apply.
  Click(Control(bw::kCmdAddTaskId));
  HWND add = bw::frmAddTask::Current();
  ASSERT_NE(add, nullptr);
  HWND combo = ::GetDlgItem(add, bw::kAddCombo1Id);
  EXPECT_EQ(::SendMessageA(combo, CB_GETCOUNT, 0, 0), 8);
  EXPECT_EQ(::GetWindowLongA(combo, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
  ::SendMessageA(combo, CB_SETCURSEL, bootwarden::kWinIniRunLocation, 0);
  ::SendMessageA(add, WM_COMMAND, MAKEWPARAM(bw::kAddCombo1Id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(add, bw::kAddNameId)));
  ::SendMessageA(combo, CB_SETCURSEL, bootwarden::kStartupCurrentUser, 0);
  ::SendMessageA(add, WM_COMMAND, MAKEWPARAM(bw::kAddCombo1Id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(add, bw::kAddNameId)));
  ::SetWindowTextA(::GetDlgItem(add, bw::kAddNameId), "Added Tool");
  const std::string target = machine_.targetFolder + "\\added.exe";
  ASSERT_TRUE(files_.WriteFileAtomic(target, "MZ").ok());
  for (const std::string& answer : {std::string(), target}) {  // Cancel first: nothing chosen
    testing_support::FileDialogDriver user(answer);
    Click(::GetDlgItem(add, bw::kAddCommand1Id));
    ASSERT_TRUE(user.Answered());
    EXPECT_EQ(WindowText(::GetDlgItem(add, bw::kAddLocationId)), answer);
  }
  Click(::GetDlgItem(add, bw::kAddAddId));
  EXPECT_EQ(bw::frmAddTask::Current(), nullptr) << "closed after Add";
  ASSERT_EQ(main_->List().Count(), rows + 1);
  EXPECT_EQ(main_->List().Text(rows + 1, 0), "Added Tool");
  EXPECT_EQ(main_->List().Text(rows + 1, StartupEntry::kUser), "Current User");
  EXPECT_FALSE(files_.GetAttributes(StartupFile(shared::kCsidlStartup, "Added Tool")));
  JustApply();
  EXPECT_EQ(machine_.shortcuts->ReadTargetPath(StartupFile(shared::kCsidlStartup, "Added Tool")), target);

  // The whole list to a profile and back through the dialogs.
  const std::string profile = testing_support::ScratchFolder("bootwarden-profiles") + "\\all.pro";
  files_.RemoveFile(profile).IgnoreError();
  {
    testing_support::FileDialogDriver user(profile);
    Menu(window, MainMenu::kSaveProf);
    ASSERT_TRUE(user.Answered());
  }
  auto saved = bootwarden::ReadStartupEntryFile(files_, profile);
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved.value().size(), static_cast<std::size_t>(rows)) << "all but the nameless default value";
  SelectRow(Row("Registry(Machine Run)", "Shared Name"));
  Click(Control(bw::kCmdRemoveId));
  EXPECT_FALSE(::IsWindowEnabled(Control(bw::kCmdRemoveId)));
  {
    testing_support::FileDialogDriver user(profile);
    Menu(window, MainMenu::kLoadProf);
    ASSERT_TRUE(user.Answered());
  }
  EXPECT_EQ(main_->List().Count(), rows);
  EXPECT_EQ(main_->List().Text(Row("Registry(Machine Run)", "Shared Name"), StartupEntry::kStatus), "Enabled");

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
