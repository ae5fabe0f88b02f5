// Plugwarden's windows in process under Wine and Xvfb, on the test prefix's real registry, files
// and settings: the list, staging and apply through the buttons, the restart cycle through the
// store, right-to-left, the tooltip and the profile dialogs. Message boxes are answered by a
// scripted prompt.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "plugwarden/bho_files.h"
#include "plugwarden/win32/frm_load.h"
#include "plugwarden/win32/frm_main.h"
#include "plugwarden/win32/frm_save.h"
#include "plugwarden/win32/frm_tooltip.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"
#include "tests/common/plugwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_shell.h"
#include "tests/wine/test_paths.h"
#include "tests/wine/ui_driver.h"
#include "tests/wine/win32_startup_machine.h"

namespace {

using namespace plugwarden::win32;
using shared::win32::IsRightToLeftLayout;
using testing_support::Click;
using testing_support::ObjectId;
using testing_support::Pump;
using testing_support::WindowText;

class PlugwardenUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    shared::win32::InitKitControls();
    shared::win32::RegisterXPCmdButton();
  }

  // Objects 1 to 3 with the versioned module beside the test; object 4's module is gone.
  void SetUp() override {
    testing_support::SeedObjects(registry_, folder_ + "\\warden_versioned_module.dll");
    testing_support::SeedString(registry_, shared::kHkeyClassesRoot, testing_support::ClassKey(4) + "\\InprocServer32",
                                "", "C:\\Nowhere\\gone.dll");
    settings_.SaveSetting("Plugwarden", "Start", "Check1", "0").IgnoreError();
    settings_.SaveSetting("Plugwarden", "Language", "Name", "").IgnoreError();
    Forget();
  }
  void TearDown() override {
    testing_support::ClearObjects(registry_);
    Forget();
  }
  void Forget() {
    for (const std::string& path : {plugwarden::DisabledStorePath(windowsFolder_),
                                    plugwarden::StartProfilePath(windowsFolder_), folder_ + "\\BHO_Config.ini"})
      ::DeleteFileA(path.c_str());
  }

  // One run of the program: its main window, loaded and shown; main_ is its window, nullptr
  // when it ended at once.
  std::unique_ptr<frmMain> Start(int& ended) {
    MainWindowOptions options;
    options.endProgram = [&ended] { ++ended; };
    auto window = std::make_unique<frmMain>(
        plugwarden::MainServices{registry_, files_, *machine_.versions, *machine_.system, prompt_, language_, settings_,
                                 windowsFolder_, shell_, folder_ + "\\plugwarden.exe"},
        std::move(options));
    main_ = window->Load();
    Pump();
    return window;
  }
  HWND Control(int id) { return ::GetDlgItem(main_, id); }
  int PositionOf(frmMain& window, int object) {
    for (int position = 1; position <= window.ListView1().Count(); ++position)
      if (window.ListView1().Text(position, 5) == ObjectId(object)) return position;
    return 0;
  }
  void SelectRow(frmMain& window, int position) { testing_support::SelectRow(window.ListView1().Handle(), position); }
  HWND Tip() { return frmToolTip::Current(); }
  int TipHeight() { return testing_support::ScreenRect(Tip()).bottom - testing_support::ScreenRect(Tip()).top; }
  std::string FileText(const std::string& path) { return files_.ReadFile(path).value_or("<none>"); }

  testing_support::StartupMachine machine_ = testing_support::Win32StartupMachine("plugwarden-ui");
  shared::RegistryPort& registry_ = *machine_.registry;
  shared::FileSystemPort& files_ = *machine_.files;
  shared::SettingsPort& settings_ = *machine_.settings;
  shared::WindowsFolderPort& windowsFolder_ = *machine_.windowsFolder;
  fakes::FakePrompt prompt_;
  fakes::FakeShell shell_;
  std::string folder_ = testing_support::ExecutableFolder();
  shared::LanguagePack language_{*machine_.profile, files_, *machine_.clock, folder_};
  HWND main_ = nullptr;
  int ended_ = 0;
};

TEST_F(PlugwardenUiTest, DisableApplyCloseRestartProfilesAndTheLooksOnTheWay) {
  auto first = Start(ended_);
  ASSERT_NE(main_, nullptr);
  EXPECT_EQ(WindowText(main_), " Plugwarden");
  EXPECT_EQ(::GetWindowLongPtrA(main_, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), WS_MINIMIZEBOX);

  const auto& list = first->ListView1();
  ASSERT_EQ(list.Count(), 4);
  const int two = PositionOf(*first, 2);
  EXPECT_EQ(list.Text(two, 3), "1.2.3.4") << "the module's version resource, read through the real adapter";
  EXPECT_EQ(list.Header(6), "BHO Identifier");

  // The tooltip of a module with version information, then of a missing one.
  SelectRow(*first, two);
  Click(Control(kCommand1));
  ASSERT_NE(Tip(), nullptr);
  const std::string tip = WindowText(::GetDlgItem(Tip(), kToolTipTextId));
  EXPECT_EQ(tip.rfind("Comments: ", 0), 0u) << tip;
  EXPECT_NE(tip.find("\r\n Descriptioton: Warden Test Module\r\n"), std::string::npos) << tip;
  const int fullHeight = TipHeight();
  ::SendMessageA(Tip(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  Pump();
  EXPECT_EQ(Tip(), nullptr) << "a click closes it";
  SelectRow(*first, PositionOf(*first, 4));
  Click(Control(kCommand1));
  ASSERT_NE(Tip(), nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(Tip(), kToolTipTextId)), plugwarden::kMissingModuleText);
  EXPECT_LT(TipHeight(), fullHeight) << "the warning's shorter layout";
  ::SetForegroundWindow(main_);
  Pump();
  EXPECT_EQ(Tip(), nullptr) << "losing the focus closes it";

  // Arabic mirrors the window and takes its texts; English turns it back.
  for (const char* language : {"Arabic", "English"}) {
    ASSERT_TRUE(testing_support::Choose(first->ComboLang(), language));
    const bool arabic = std::string(language) == "Arabic";
    EXPECT_EQ(IsRightToLeftLayout(main_), arabic);
    EXPECT_EQ(IsRightToLeftLayout(list.Handle()), arabic);
    EXPECT_EQ(WindowText(Control(kLabel1)) == "Installed Browser Helper Objects", !arabic);
  }

  SelectRow(*first, two);
  Click(Control(kCmdDisable));
  EXPECT_EQ(list.Text(two, 1), "Disabled");
  EXPECT_EQ(WindowText(Control(kCmdDisable)), "&Enable");
  prompt_.Script({shared::kAnswerYes});
  Click(Control(kCmdApply));
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_FALSE(testing_support::KeyThere(registry_, shared::kHkeyLocalMachine, testing_support::ObjectKey(2)));
  ::SendMessageA(main_, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_EQ(ended_, 1);
  EXPECT_FALSE(::IsWindow(main_));
  EXPECT_NE(FileText(plugwarden::DisabledStorePath(windowsFolder_)).find(ObjectId(2)), std::string::npos);
  first.reset();

  // The next run shows the stored row (what it does is the staging suite's); a second copy
  // meanwhile makes no window and touches nothing; then the profile dialogs.
  auto window = Start(ended_);
  ASSERT_NE(main_, nullptr);
  SelectRow(*window, PositionOf(*window, 2));
  EXPECT_EQ(WindowText(Control(kCmdDisable)), "&Enable");
  {
    HWND running = main_;
    int secondEnded = 0;
    Start(secondEnded);
    EXPECT_EQ(main_, nullptr);
    EXPECT_EQ(secondEnded, 1);
    main_ = running;
  }

  testing_support::Command(main_, kMnuSaveProf);
  HWND save = frmSave::Current();
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(WindowText(save), "Save Configuration");
  HWND text1 = ::GetDlgItem(save, kProfileInputId);
  for (char c : std::string("abc")) ::SendMessageA(text1, WM_CHAR, static_cast<WPARAM>(c), 0);
  EXPECT_EQ(WindowText(text1), "ABC");
  ::SendMessageA(text1, WM_CHAR, 13, 0);
  Pump();
  EXPECT_EQ(frmSave::Current(), nullptr) << "Enter saves and closes";
  const std::string saved = FileText(folder_ + "\\BHO_Config.ini");
  EXPECT_NE(saved.find("ABC\r\nObject 1\r\nEnabled\r\n"), std::string::npos) << saved;

  const int one = PositionOf(*window, 1);
  SelectRow(*window, one);
  Click(Control(kCmdRemove));
  EXPECT_EQ(window->ListView1().Text(one, 1), "Remove");
  testing_support::Command(main_, kMnuLoadProf);
  HWND load = frmLoad::Current();
  ASSERT_NE(load, nullptr);
  EXPECT_EQ(WindowText(load), "Load Configuration");
  HWND combo1 = ::GetDlgItem(load, kProfileInputId);
  EXPECT_EQ(::SendMessageA(combo1, CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(WindowText(combo1), "ABC");
  Click(::GetDlgItem(load, kProfileButtonId));
  EXPECT_EQ(frmLoad::Current(), nullptr);
  EXPECT_EQ(window->ListView1().Text(one, 1), "Enabled") << "the profile's rows again";
  EXPECT_EQ(prompt_.Asked().size(), 1u) << "only the apply's question";
  testing_support::Command(main_, kMnuExit);
  EXPECT_EQ(ended_, 2);
}

}  // namespace
