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
#include "tests/wine/dialog_driver.h"
#include "tests/wine/test_paths.h"
#include "tests/wine/win32_startup_machine.h"

namespace {

using bootwarden::MainMenu;
using bootwarden::StartupEntry;
namespace bw = bootwarden::win32;

TEST(CommonFileDialog, OpenSaveAndCancelAnswerWithWhatTheUserDid) {
  shared::win32::Win32FileDialog dialog;
  shared::win32::Win32FileSystem files;
  const std::string folder = testing_support::ScratchFolder("file_dialog");
  const std::string existing = folder + "\\profile.txt";
  ASSERT_TRUE(files.WriteFileAtomic(existing, "x\r\n").ok());

  {
    testing_support::FileDialogDriver user(existing);
    auto chosen = dialog.ChooseFileToOpen();
    ASSERT_TRUE(user.Answered()) << "no open dialog appeared";
    ASSERT_TRUE(chosen.ok()) << chosen.status().message();
    ASSERT_TRUE(chosen.value().has_value());
    EXPECT_STREQ(chosen.value()->c_str(), existing.c_str());
  }
  {
    testing_support::FileDialogDriver user(folder + "\\new profile.pro");
    auto chosen = dialog.ChooseFileToSave();
    ASSERT_TRUE(user.Answered()) << "no save dialog appeared";
    ASSERT_TRUE(chosen.ok() && chosen.value().has_value());
    EXPECT_EQ(*chosen.value(), folder + "\\new profile.pro");
  }
  {
    // A cancel after a choice is still a cancel.
    testing_support::FileDialogDriver user("");
    auto chosen = dialog.ChooseFileToOpen();
    ASSERT_TRUE(user.Answered());
    ASSERT_TRUE(chosen.ok());
    EXPECT_FALSE(chosen.value().has_value());
  }
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (shared::win32::TranslateProgramMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// A click as the mouse gives it: down and up inside the button.
void Click(HWND button) {
  ASSERT_NE(button, nullptr);
  ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
}

void Menu(HWND window, MainMenu item) {
  ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(bw::MenuId(item), 0), 0);
  Pump();
}

// The locations of the seeded machine, one entry of each kind.
struct Kind {
  const char* loadFrom;
  const char* taskName;
};
constexpr Kind kKinds[] = {
    {"Registry(User Run)", "Shared Name"},       {"Registry(Machine Run)", "Shared Name"},
    {"Registry(Machine RunOnce)", "Finish Setup"}, {"Registry(Machine RunOnceEx)", "Title"},
    {"Registry(Machine RunServices)", "Service Agent"}, {"Win.ini Load", "Win.ini Load"},
    {"Win.ini Run", "Win.ini Run"},                {"StartUp (Current User)", "Tool"},
    {"StartUp (All Users)", "Common Tool"},
};

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
  // A click on the row in the list control itself.
  void SelectRow(int position) {
    HWND list = main_->List().Handle();
    ListView_SetItemState(list, position - 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Pump();
  }
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
  char caption[64] = {};
  ::GetWindowTextA(window, caption, sizeof(caption));
  EXPECT_STREQ(caption, "Bootwarden");
  EXPECT_EQ(main_->List().Count(), 14);
  EXPECT_EQ(main_->List().Header(7), "");
  for (const Kind& kind : kKinds) {
    SelectRow(Row(kind.loadFrom, kind.taskName));
    char text[32] = {};
    ::GetWindowTextA(Control(bw::kCmdDisableId), text, sizeof(text));
    EXPECT_STREQ(text, "&Disable") << kind.loadFrom;
    Click(Control(bw::kCmdDisableId));
    EXPECT_EQ(main_->List().Text(Row(kind.loadFrom, kind.taskName), StartupEntry::kStatus), "Disabled");
  }
  JustApply();
  Close();

  using shared::kHkeyCurrentUser;
  using shared::kHkeyLocalMachine;
  EXPECT_EQ(RunValue(kHkeyCurrentUser, "Run", "Shared Name"), "<none>");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "Run", "Shared Name"), "<none>");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "RunOnce", "Finish Setup"), "<none>");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "RunOnceEx", "Title"), "<none>");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "RunServices", "Service Agent"), "<none>");
  EXPECT_EQ(WinIni("Load"), "");
  EXPECT_EQ(WinIni("Run"), "");
  EXPECT_FALSE(files_.GetAttributes(StartupFile(shared::kCsidlStartup, "Tool")));
  EXPECT_FALSE(files_.GetAttributes(StartupFile(shared::kCsidlCommonStartup, "Common Tool")));
  auto stored = bootwarden::ReadStartupEntryFile(files_, StorePath());
  ASSERT_TRUE(stored.ok());
  ASSERT_EQ(stored.value().size(), 9u);
  for (const auto& entry : stored.value()) EXPECT_EQ(entry.Status, "Disabled") << entry.TaskName;

  Open();
  for (const Kind& kind : kKinds) {
    const int row = Row(kind.loadFrom, kind.taskName);
    EXPECT_EQ(main_->List().Text(row, StartupEntry::kStatus), "Disabled");
    SelectRow(row);
    char text[32] = {};
    ::GetWindowTextA(Control(bw::kCmdDisableId), text, sizeof(text));
    EXPECT_STREQ(text, "&Enable") << kind.loadFrom;
    Click(Control(bw::kCmdDisableId));
  }
  JustApply();
  Close();
  EXPECT_EQ(RunValue(kHkeyCurrentUser, "Run", "Shared Name"), "\"C:\\Tools\\user shared.exe\" /tray");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "Run", "Shared Name"), "C:\\Tools\\machine-shared.exe");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "RunOnce", "Finish Setup"), "C:\\Setup\\finish.exe -quiet");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "RunOnceEx", "Title"), "Installing updates");
  EXPECT_EQ(RunValue(kHkeyLocalMachine, "RunServices", "Service Agent"), "C:\\Tools\\service.exe");
  EXPECT_EQ(WinIni("Load"), "loader.exe");
  EXPECT_EQ(WinIni("Run"), "first.exe second.exe");
  EXPECT_EQ(machine_.shortcuts->ReadTargetPath(StartupFile(shared::kCsidlStartup, "Tool")),
            machine_.targetFolder + "\\tool.exe");
  EXPECT_EQ(machine_.shortcuts->ReadTargetPath(StartupFile(shared::kCsidlCommonStartup, "Common Tool")),
            machine_.targetFolder + "\\common.exe");
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
  {
    testing_support::FileDialogDriver user(target);
    Click(::GetDlgItem(add, bw::kAddCommand1Id));
    ASSERT_TRUE(user.Answered());
  }
  char location[MAX_PATH] = {};
  ::GetWindowTextA(::GetDlgItem(add, bw::kAddLocationId), location, sizeof(location));
  EXPECT_STREQ(location, target.c_str());
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
  EXPECT_EQ(saved.value().size(), static_cast<std::size_t>(rows + 1)) << "every row, the default value too";
  SelectRow(Row("Registry(Machine Run)", "Shared Name"));
  Click(Control(bw::kCmdRemoveId));
  EXPECT_FALSE(::IsWindowEnabled(Control(bw::kCmdRemoveId)));
  {
    testing_support::FileDialogDriver user(profile);
    Menu(window, MainMenu::kLoadProf);
    ASSERT_TRUE(user.Answered());
  }
  EXPECT_EQ(main_->List().Count(), rows + 1);
  EXPECT_EQ(main_->List().Text(Row("Registry(Machine Run)", "Shared Name"), StartupEntry::kStatus), "Enabled");

  // Arabic turns the window right to left, English back.
  auto& languages = main_->Languages();
  int arabic = -1, english = -1;
  for (int i = 0; i < languages.Count(); ++i) {
    if (languages.ItemText(i) == "Arabic") arabic = i;
    if (languages.ItemText(i) == "English") english = i;
  }
  ASSERT_GE(arabic, 0);
  ASSERT_GE(english, 0);
  EXPECT_EQ(languages.SelectedIndex(), english);
  const auto choose = [&](int index) {
    ::SendMessageA(languages.Handle(), CB_SETCURSEL, index, 0);
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(bw::kComboLangId, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(languages.Handle()));
    Pump();
  };
  choose(arabic);
  EXPECT_TRUE(shared::win32::IsRightToLeftLayout(window));
  EXPECT_TRUE(::GetWindowLongA(main_->List().Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  EXPECT_EQ(language_.CurrentLanguageFile(), "Arabic.ini");
  choose(english);
  EXPECT_FALSE(shared::win32::IsRightToLeftLayout(window));
  EXPECT_FALSE(::GetWindowLongA(main_->List().Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  choose(arabic);
  Close();
  EXPECT_EQ(settings_.GetSetting("Bootwarden", "Language", "Name"), "Arabic.ini");
}

}  // namespace
