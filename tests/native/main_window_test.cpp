// frmMain's load, captions, events and unload, and the tooltip's text and places, against the
// fakes.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "plugwarden/main_window.h"
#include "plugwarden/tooltip.h"
#include "shared/entry_file.h"
#include "tests/common/plugwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_version.h"
#include "tests/fakes/fake_windows_folder.h"

namespace {

using plugwarden::MainText;
using testing_support::ObjectId;

constexpr char kFolder[] = "C:\\Tools";
constexpr char kModule[] = "C:\\Tools\\helper.dll";
constexpr char kStore[] = "C:\\Windows\\SaveBHOProf.pro";
constexpr char kProfile[] = "C:\\Windows\\SaveStartBHOProf.pro";
constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kStoredId[] = "{D15AB1ED-0000-4000-8000-000000000001}";

// What the window was told, last word wins; `calls` keeps the order of the texts.
class FakeMainView final : public plugwarden::MainView {
 public:
  void SetText(MainText target, const std::string& text) override {
    texts[target] = text;
    calls.push_back(text);
  }
  void SetColumnHeader(int, const std::string& text) override { calls.push_back(text); }
  void SetCheck(bool on) override { check = on; }
  void EnableRemove(bool enabled) override { removeEnabled = enabled; }
  void SetRightToLeft(bool on) override { rightToLeft = on; }
  shared::Status ShowLanguages(shared::LanguageList& list) override {
    languages = list;
    return shared::Status::Ok();
  }
  void ShowRows(const shared::ListModel& list) override { rows = list; }
  void ShowRow(const shared::ListModel& list, int position) override {
    for (int column = 0; column < shared::ListModel::kColumns; ++column)
      rows.SetText(position, column, list.Text(position, column));
  }
  void SelectRow(int position) override { selected = position; }
  void ShowToolTip(const plugwarden::ToolTipContent& content) override { toolTips.push_back(content.text); }
  void OpenSaveProfile() override { ++opened["save"]; }
  void OpenLoadProfile() override { ++opened["load"]; }
  void OpenAbout() override { ++opened["about"]; }
  void EndProgram() override { ended = true; }

  std::map<MainText, std::string> texts;
  std::vector<std::string> calls, toolTips;
  bool check = false, removeEnabled = true, rightToLeft = false, ended = false;
  shared::LanguageList languages;
  shared::ListModel rows;
  int selected = 0;
  std::map<std::string, int> opened;
};

// One machine, any number of program runs on it; with packs, an English and an Arabic one.
struct World {
  explicit World(bool packs = true) {
    files.AddFolder("C:\\Windows");
    files.AddFile(kModule, "MZ");
    versions.Add(kModule, {.strings = {{"Comments", "c"}, {"FileDescription", "Helper"}, {"InternalName", "helper"},
                                       {"FileVersion", "1.2"}, {"CompanyName", "Contoso"}, {"ProductName", "Helpers"},
                                       {"OriginalFilename", "helper.dll"}, {"LegalCopyright", "(c) Contoso"}}});
    testing_support::SeedObjects(registry, kModule);
    if (!packs) return;
    files.AddFile(std::string(kFolder) + "\\Lang\\English.ini",
                  "[Vexlin Language Pack]\r\n8101=Installed\r\n8103=&Disable\r\n8104=&Remove\r\n8108=&Enable\r\n"
                  "8111=E&xit\r\n8151=BHO Name\r\n8156=BHO Identifier\r\n");
    files.AddFile(std::string(kFolder) + "\\Lang\\Arabic.ini",
                  "[Vexlin Language Pack]\r\n8101=Arabic label\r\n8103=Arabic disable\r\n");
  }
  // A new run: its view and window, loaded.
  bool Open(bool anotherInstance = false) {
    window.reset();
    view = std::make_unique<FakeMainView>();
    window = std::make_unique<plugwarden::MainWindow>(
        plugwarden::MainServices{registry, files, versions, system, prompt, language, settings, windowsFolder,
                                 shell, "C:\\Tools\\plugwarden.exe"},
        *view);
    return window->Load(anotherInstance);
  }
  void WriteRows(const std::string& path, const std::vector<plugwarden::BhoEntry>& rows) {
    ASSERT_TRUE(shared::WriteEntryFile(files, shared::ToRows(rows), path).ok());
  }
  // The Run value and the two settings.
  std::string RunValue() {
    return testing_support::ReadValue(registry, shared::kHkeyCurrentUser, kRunKey, "KQ_BHO").second + "|" +
           settings.GetSetting("Plugwarden", "Start", "Check1") + "|" + settings.GetSetting("Plugwarden", "Language", "Name");
  }
  std::string FileText(const std::string& path) { return files.ReadFile(path).value_or("<none>"); }
  std::string Status(int position) { return view->rows.Text(position, 1); }

  fakes::FakeRegistry registry;
  fakes::FakeFileSystem files;
  fakes::FakeVersion versions;
  fakes::FakeSystem system;
  fakes::FakePrompt prompt;
  fakes::FakeClock clock;
  fakes::FakeProfile profile{files, "C:\\Windows"};
  shared::LanguagePack language{profile, files, clock, kFolder};
  fakes::FakeSettings settings;
  fakes::FakeWindowsFolder windowsFolder;
  fakes::FakeShell shell;
  std::unique_ptr<FakeMainView> view;
  std::unique_ptr<plugwarden::MainWindow> window;
};

plugwarden::BhoEntry Entry(const std::string& name, const std::string& status, const std::string& id,
                           const std::string& path = "C:\\Gone\\old.dll") {
  return {name, status, "old", "", path, id};
}

TEST(MainWindowTest, LoadsTheRegistryAndStoreShowsModulesASecondCopyDoesNothingTheNextRunHasTheBoxOn) {
  World w;
  w.WriteRows(kStore, {Entry("Stored", "Disabled", kStoredId)});
  w.WriteRows(kProfile, {Entry("Profiled", "Enabled", ObjectId(2), kModule)});
  ASSERT_TRUE(w.Open());
  EXPECT_FALSE(w.view->check);
  ASSERT_EQ(w.view->rows.Count(), 5);
  EXPECT_EQ(w.view->rows.Text(5, 0), "Stored") << "after the registry's rows";
  EXPECT_EQ(w.Status(5), "Disabled");
  EXPECT_EQ(w.view->selected, 1) << "the first row is selected after loading";
  EXPECT_EQ(w.view->languages.items[*w.view->languages.selected].text, "English") << "nothing stored: English";
  EXPECT_FALSE(w.view->rightToLeft);
  // More Info and a double click show the selected module's version information.
  w.window->ListDoubleClicked();
  w.window->ListClicked(5);
  w.window->MoreInfoClicked();
  EXPECT_EQ(w.view->toolTips,
            (std::vector<std::string>{"Comments: c\r\n Descriptioton: Helper\r\nInternal Name: helper\r\nVersion: 1.2\r\n"
                                      "Company: Contoso\r\nProduct Name: Helpers\r\nOriginal FIleName: helper.dll\r\n"
                                      "Copy right:(c) Contoso",
                                      plugwarden::kMissingModuleText}));
  w.window->CheckClicked(true);
  w.window->ExitChosen();
  EXPECT_TRUE(w.view->ended);
  EXPECT_EQ(w.RunValue(), "\"C:\\Tools\\plugwarden.exe\"|1|English.ini") << "quoted";
  EXPECT_EQ(w.FileText(kStore).find("Stored\r\nDisabled\r\n"), 0u) << "the store keeps every disabled object";

  // A second copy meanwhile reads and writes nothing.
  w.settings.SaveSetting("Plugwarden", "Language", "Name", "Arabic.ini").IgnoreError();
  testing_support::SeedString(w.registry, shared::kHkeyCurrentUser, kRunKey, "KQ_BHO", "C:\\Old\\plugwarden.exe");
  const std::string store = w.FileText(kStore), profile = w.FileText(kProfile);
  EXPECT_FALSE(w.Open(true));
  EXPECT_TRUE(w.view->ended);
  w.window->ExitChosen();
  w.window->Unload();
  EXPECT_TRUE(w.view->calls.empty()) << "no captions: the language pack was not read";
  EXPECT_EQ(w.view->rows.Count(), 0);
  EXPECT_TRUE(w.prompt.Asked().empty());
  EXPECT_EQ(w.RunValue(), "C:\\Old\\plugwarden.exe|1|Arabic.ini");
  EXPECT_EQ(w.FileText(kStore) + w.FileText(kProfile), store + profile);

  // The next run: the box and the stored language (which rows the profile gives is the suite's).
  ASSERT_TRUE(w.Open());
  EXPECT_TRUE(w.view->check);
  EXPECT_TRUE(w.view->rightToLeft);
  EXPECT_EQ(w.view->texts[MainText::kLabel1], "Arabic label");
}

TEST(MainWindowTest, CaptionsComeInOrderFromThePackAndAreEmptyWithoutOne) {
  World w;
  ASSERT_TRUE(w.Open());
  // Steps 1 to 23 in order; what follows comes from showing the rows.
  ASSERT_GE(w.view->calls.size(), 23u);
  const std::vector<std::string> expected{"Installed", "", "", "", "&Disable", "&Remove", "", "", "", "E&xit", "",
                                          "",          "", "", "", "",         "",        "BHO Name", "", "", "",
                                          "",          "BHO Identifier"};
  EXPECT_EQ(std::vector<std::string>(w.view->calls.begin(), w.view->calls.begin() + 23), expected);
  EXPECT_EQ(w.window->Staging().EnableCaption(), "&Enable");

  // A language change while a disabled row is selected shows "Disable" until the next click.
  w.window->ListClicked(2);
  w.window->DisableClicked();
  EXPECT_EQ(w.view->texts[MainText::kCmdDisable], "&Enable");
  w.window->LanguageChosen("Arabic");
  EXPECT_TRUE(w.view->rightToLeft);
  EXPECT_EQ(w.view->texts[MainText::kCmdDisable], "Arabic disable");
  EXPECT_EQ(w.view->texts[MainText::kMnuExit], "") << "a key the pack lacks is empty";
  w.window->ListClicked(2);
  EXPECT_EQ(w.view->texts[MainText::kCmdDisable], "") << "Arabic has no 8108";
  const std::size_t before = w.view->calls.size();
  w.window->LanguageChosen("Arabic");
  EXPECT_EQ(w.view->calls.size(), before) << "the same language sets nothing";
  w.window->LanguageChosen("English");
  EXPECT_FALSE(w.view->rightToLeft);

  World bare(false);  // no Lang folder at all: empty captions (the language tests' part)
  ASSERT_TRUE(bare.Open());
  bare.window->ListClicked(3);
  bare.window->DisableClicked();
  EXPECT_EQ(bare.Status(3), "Disabled") << "the buttons work without captions";
}

// The buttons show what they staged; the close box, mnuExit and the session end then unload
// alike and once.
TEST(MainWindowTest, ButtonsStageTheSelectedRowAndShowIt) {
  std::vector<std::string> outcomes;
  for (const bool sessionEnd : {false, true}) {
    SCOPED_TRACE(sessionEnd ? "session end" : "close box");
    World w;
    ASSERT_TRUE(w.Open());
    w.window->ListClicked(3);
    EXPECT_EQ(w.view->texts[MainText::kCmdDisable], "&Disable");
    w.window->DisableClicked();
    EXPECT_EQ(w.Status(3), "Disabled");
    w.window->RemoveClicked();
    EXPECT_EQ(w.Status(3), "Remove");
    EXPECT_FALSE(w.view->removeEnabled);
    w.window->ListClicked(2);
    EXPECT_TRUE(w.view->removeEnabled);
    w.window->DisableClicked();

    w.prompt.Script({shared::kAnswerYes});
    w.window->ApplyClicked();
    EXPECT_EQ(w.view->rows.Count(), 3) << "the removed row leaves the list";
    EXPECT_FALSE(testing_support::KeyThere(w.registry, shared::kHkeyLocalMachine, testing_support::ObjectKey(3)));
    w.window->ResetClicked();
    EXPECT_EQ(w.view->rows.Count(), 4);
    EXPECT_EQ(w.view->selected, 1);
    EXPECT_EQ(w.Status(3), "Enabled");

    w.window->SaveProfileChosen();
    w.window->LoadProfileChosen();
    w.window->AboutChosen();
    EXPECT_EQ(w.view->opened, (std::map<std::string, int>{{"about", 1}, {"load", 1}, {"save", 1}}));
    w.window->HelpIndexChosen();
    ASSERT_EQ(w.shell.Opened().size(), 1u);
    EXPECT_EQ(w.shell.Opened()[0].target, "C:\\Tools\\Help\\index.html");

    w.window->LanguageChosen("Arabic");
    if (sessionEnd) {
      w.window->Unload(true);  // WM_ENDSESSION
    } else {
      w.window->ExitChosen();  // the close box and mnuExit
    }
    // Whatever comes after the first unload writes nothing more.
    w.files.FailWrites(true);
    w.settings.FailSaves(true);
    w.window->Unload();
    w.window->ExitChosen();
    ASSERT_EQ(w.prompt.Asked().size(), 1u) << "only the confirmation";
    EXPECT_EQ(w.prompt.Asked()[0].title, "Confirmation");
    outcomes.push_back(w.RunValue() + "|" + w.FileText(kStore));
  }
  EXPECT_EQ(outcomes[0], outcomes[1]);
  EXPECT_NE(outcomes[0].find("|0|Arabic.ini|Object 2\r\nDisabled\r\n"), std::string::npos) << outcomes[0];

  // Without rows the buttons do nothing; while Windows ends the session a failure goes to the
  // error log, not to a box.
  World w;
  testing_support::ClearObjects(w.registry);
  ASSERT_TRUE(w.Open());
  w.window->ListDoubleClicked();
  w.window->MoreInfoClicked();
  w.window->DisableClicked();
  w.window->RemoveClicked();
  EXPECT_TRUE(w.view->toolTips.empty());
  EXPECT_EQ(w.view->rows.Count(), 0);
  w.window->CheckClicked(true);
  w.files.LockFile("C:\\Windows\\SaveStartBHOProf.pro");
  w.window->Unload(true);
  EXPECT_TRUE(w.prompt.Asked().empty());
  EXPECT_NE(w.FileText(std::string(kFolder) + "\\errorlog.txt").find("start-up profile could not be saved"),
            std::string::npos);
}

TEST(ToolTipTest, PlacedNearThePointerAndKeptOnTheScreen) {
  const shared::PixelRect work{0, 0, 1280, 994};
  // 96 DPI: 200 twips are 13 pixels; the window is 267 x 213.
  EXPECT_EQ(plugwarden::ShowAtCursorPlace({100, 100}, 267, 213, work, 96), (plugwarden::ScreenPoint{113, 113}));
  EXPECT_EQ(plugwarden::ShowAtCursorPlace({1200, 900}, 267, 213, work, 96), (plugwarden::ScreenPoint{920, 674}))
      << "opens left of and above the pointer near the right and bottom edges";
  EXPECT_EQ(plugwarden::ShowAtCursorPlace({150, 150}, 267, 213, shared::PixelRect{0, 0, 300, 200}, 96),
            (plugwarden::ScreenPoint{0, 0}))
      << "a screen too small for it: the top left corner stays on it";
}

}  // namespace
