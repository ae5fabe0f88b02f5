// frmMain's load, captions, events and unload, and the tooltip's text and places, against the
// fakes.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "plugwarden/main_window.h"
#include "plugwarden/tooltip.h"
#include "shared/entry_file.h"
#include "shared/text.h"
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

// What the window was told, last word wins; `calls` keeps the order of the texts.
class FakeMainView final : public plugwarden::MainView {
 public:
  void SetText(MainText target, const std::string& text) override {
    texts[target] = text;
    calls.push_back(text);
  }
  void SetColumnHeader(int column, const std::string& text) override {
    headers[column] = text;
    calls.push_back(text);
  }
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
  void ShowToolTip(const plugwarden::ToolTipContent& content) override { toolTips.push_back(content); }
  void OpenSaveProfile() override { ++opened["save"]; }
  void OpenLoadProfile() override { ++opened["load"]; }
  void OpenAbout() override { ++opened["about"]; }
  void EndProgram() override { ended = true; }

  std::map<MainText, std::string> texts;
  std::map<int, std::string> headers;
  std::vector<std::string> calls;
  bool check = false, removeEnabled = true, rightToLeft = false, ended = false;
  shared::LanguageList languages;
  shared::ListModel rows;
  int selected = 0;
  std::vector<plugwarden::ToolTipContent> toolTips;
  std::map<std::string, int> opened;
};

// One machine, any number of program runs on it.
struct World {
  World() {
    files.AddFolder("C:\\Windows");
    files.AddFile(kModule, "MZ");
    fakes::FakeVersionResource resource;
    resource.strings = {{"Comments", "c"},        {"FileDescription", "Helper"}, {"InternalName", "helper"},
                        {"FileVersion", "1.2"},   {"CompanyName", "Contoso"},    {"ProductName", "Helpers"},
                        {"OriginalFilename", "helper.dll"}, {"LegalCopyright", "(c) Contoso"}};
    versions.Add(kModule, resource);
    testing_support::SeedObjects(registry, kModule);
  }
  void AddPacks() {
    files.AddFile(std::string(kFolder) + "\\Lang\\English.ini",
                  "[Vexlin Language Pack]\r\n8101=Installed\r\n8103=&Disable\r\n8104=&Remove\r\n8108=&Enable\r\n"
                  "8111=E&xit\r\n8151=BHO Name\r\n8156=BHO Identifier\r\n");
    files.AddFile(std::string(kFolder) + "\\Lang\\Arabic.ini",
                  "[Vexlin Language Pack]\r\n8101=Arabic label\r\n8103=Arabic disable\r\n");
  }
  std::unique_ptr<plugwarden::MainWindow> NewWindow(FakeMainView& view) {
    return std::make_unique<plugwarden::MainWindow>(
        plugwarden::MainServices{registry, files, versions, system, prompt, language, settings, windowsFolder,
                                 shell, "C:\\Tools\\plugwarden.exe"},
        view);
  }
  std::string KqBho() {
    auto key = registry.OpenKey(shared::kHkeyCurrentUser, kRunKey, shared::KeyAccess::kQueryValue);
    if (!key.ok()) return {};
    shared::ScopedKey scoped(registry, key.value());
    auto value = registry.QueryValue(scoped.get(), "KQ_BHO");
    return value.ok() ? shared::UpToNul(value.value().bytes) : std::string();
  }
  // The Run value and the two settings.
  std::string RunValue() {
    return KqBho() + "|" +
           settings.GetSetting("Plugwarden", "Start", "Check1") + "|" +
           settings.GetSetting("Plugwarden", "Language", "Name");
  }
  std::string FileText(const std::string& path) { return files.ReadFile(path).value_or("<none>"); }

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
};

plugwarden::BhoEntry Entry(const std::string& name, const std::string& status, const std::string& id,
                           const std::string& path = "C:\\Gone\\old.dll") {
  return {name, status, "old", "", path, id};
}

void WriteRows(World& world, const std::string& path, const std::vector<plugwarden::BhoEntry>& rows) {
  ASSERT_TRUE(shared::WriteEntryFile(world.files, shared::ToRows(rows), path).ok());
}

TEST(MainWindowTest, LoadsTheRegistryAndStoreWithTheBoxOffAndTheProfileWithItOn) {
  World world;
  world.AddPacks();
  WriteRows(world, kStore, {Entry("Stored", "Disabled", "{D15AB1ED-0000-4000-8000-000000000001}")});
  WriteRows(world, kProfile, {Entry("Profiled", "Enabled", ObjectId(2), kModule)});
  {
    FakeMainView view;
    auto window = world.NewWindow(view);
    ASSERT_TRUE(window->Load(false));
    EXPECT_FALSE(view.check);
    ASSERT_EQ(view.rows.Count(), 5);
    EXPECT_EQ(view.rows.Text(1, 0), "Object 1");
    EXPECT_EQ(view.rows.Text(5, 0), "Stored");
    EXPECT_EQ(view.rows.Text(5, 1), "Disabled");
    EXPECT_EQ(view.selected, 1) << "the first row is selected after loading";
    EXPECT_EQ(window->Staging().AppliedEntries().size(), 5u);
    ASSERT_EQ(view.languages.items.size(), 2u);
    EXPECT_EQ(view.languages.items[*view.languages.selected].text, "English") << "nothing stored: English";
    EXPECT_FALSE(view.rightToLeft);
    window->CheckClicked(true);
    window->ExitChosen();
    EXPECT_TRUE(view.ended);
  }
  EXPECT_EQ(world.RunValue(), "\"C:\\Tools\\plugwarden.exe\"|1|English.ini") << "quoted";
  EXPECT_EQ(world.FileText(kStore).find("Stored\r\nDisabled\r\n"), 0u) << "the store keeps every disabled object";

  testing_support::ClearObjects(world.registry);
  world.settings.SaveSetting("Plugwarden", "Language", "Name", "Arabic.ini").IgnoreError();
  FakeMainView view;
  auto window = world.NewWindow(view);
  ASSERT_TRUE(window->Load(false));
  EXPECT_TRUE(view.check);
  EXPECT_TRUE(view.rightToLeft);
  EXPECT_EQ(view.texts[MainText::kLabel1], "Arabic label");
  ASSERT_EQ(view.rows.Count(), 5) << "the profile's rows, not the (now empty) registry";
  EXPECT_EQ(view.rows.Text(5, 0), "Stored");
}

TEST(MainWindowTest, ASecondInstanceReadsAndWritesNothing) {
  World world;
  world.AddPacks();
  WriteRows(world, kStore, {Entry("Stored", "Disabled", "{D15AB1ED-0000-4000-8000-000000000001}")});
  world.settings.SaveSetting("Plugwarden", "Start", "Check1", "1").IgnoreError();
  testing_support::SeedString(world.registry, shared::kHkeyCurrentUser, kRunKey, "KQ_BHO", "C:\\Old\\plugwarden.exe");
  const std::string store = world.FileText(kStore);

  FakeMainView view;
  auto window = world.NewWindow(view);
  EXPECT_FALSE(window->Load(true));
  EXPECT_TRUE(view.ended);
  window->ExitChosen();
  window->Unload();
  EXPECT_TRUE(view.calls.empty()) << "no captions: the language pack was not read";
  EXPECT_EQ(view.rows.Count(), 0);
  EXPECT_TRUE(world.prompt.Asked().empty());
  EXPECT_EQ(world.RunValue(), "C:\\Old\\plugwarden.exe|1|");
  EXPECT_EQ(world.FileText(kStore), store);
  EXPECT_EQ(world.FileText(kProfile), "<none>");
}

TEST(MainWindowTest, CaptionsComeInOrderFromThePackAndAreEmptyWithoutOne) {
  World world;
  world.AddPacks();
  FakeMainView view;
  auto window = world.NewWindow(view);
  ASSERT_TRUE(window->Load(false));
  // Steps 1 to 23 in order; what follows comes from showing the rows.
  ASSERT_GE(view.calls.size(), 23u);
  const std::vector<std::string> expected{"Installed", "", "", "", "&Disable", "&Remove", "", "", "", "E&xit", "",
                                          "",          "", "", "", "",         "",        "BHO Name", "", "", "",
                                          "",          "BHO Identifier"};
  EXPECT_EQ(std::vector<std::string>(view.calls.begin(), view.calls.begin() + 23), expected);
  EXPECT_EQ(window->Staging().EnableCaption(), "&Enable");

  // A language change while a disabled row is selected shows "Disable" until the next click.
  window->ListClicked(2);
  window->DisableClicked();
  EXPECT_EQ(view.texts[MainText::kCmdDisable], "&Enable");
  window->LanguageChosen("Arabic");
  EXPECT_TRUE(view.rightToLeft);
  EXPECT_EQ(view.texts[MainText::kCmdDisable], "Arabic disable");
  EXPECT_EQ(view.texts[MainText::kMnuExit], "") << "a key the pack lacks is empty";
  window->ListClicked(2);
  EXPECT_EQ(view.texts[MainText::kCmdDisable], "") << "Arabic has no 8108";
  const std::size_t before = view.calls.size();
  window->LanguageChosen("Arabic");
  EXPECT_EQ(view.calls.size(), before) << "the same language sets nothing";
  window->LanguageChosen("English");
  EXPECT_FALSE(view.rightToLeft);

  World bare;  // no Lang folder at all
  FakeMainView bareView;
  auto bareWindow = bare.NewWindow(bareView);
  ASSERT_TRUE(bareWindow->Load(false));
  EXPECT_TRUE(bareView.languages.items.empty());
  for (const auto& [target, text] : bareView.texts) EXPECT_EQ(text, "") << static_cast<int>(target);
  for (const auto& [column, text] : bareView.headers) EXPECT_EQ(text, "") << column;
  EXPECT_EQ(bareView.headers.size(), 6u);
  bareWindow->ListClicked(3);
  bareWindow->DisableClicked();
  EXPECT_EQ(bareView.rows.Text(3, 1), "Disabled") << "the buttons work without captions";
  EXPECT_TRUE(bare.prompt.Asked().empty());
}

TEST(MainWindowTest, ButtonsStageTheSelectedRowAndShowIt) {
  World world;
  world.AddPacks();
  FakeMainView view;
  auto window = world.NewWindow(view);
  ASSERT_TRUE(window->Load(false));
  window->ListClicked(3);
  EXPECT_EQ(view.texts[MainText::kCmdDisable], "&Disable");
  window->DisableClicked();
  EXPECT_EQ(view.rows.Text(3, 1), "Disabled");
  EXPECT_EQ(view.texts[MainText::kCmdDisable], "&Enable");
  window->RemoveClicked();
  EXPECT_EQ(view.rows.Text(3, 1), "Remove");
  EXPECT_FALSE(view.removeEnabled);
  window->ListClicked(1);
  EXPECT_TRUE(view.removeEnabled);

  world.prompt.Script({shared::kAnswerYes});
  window->ApplyClicked();
  EXPECT_EQ(view.rows.Count(), 3) << "the removed row leaves the list";
  EXPECT_FALSE(testing_support::KeyThere(world.registry, shared::kHkeyLocalMachine, testing_support::ObjectKey(3)));
  window->ResetClicked();
  EXPECT_EQ(view.rows.Count(), 4);
  EXPECT_EQ(view.selected, 1);
  EXPECT_EQ(view.rows.Text(3, 1), "Enabled");

  window->SaveProfileChosen();
  window->LoadProfileChosen();
  window->AboutChosen();
  EXPECT_EQ(view.opened, (std::map<std::string, int>{{"about", 1}, {"load", 1}, {"save", 1}}));
  window->HelpIndexChosen();
  ASSERT_EQ(world.shell.Opened().size(), 1u);
  EXPECT_EQ(world.shell.Opened()[0].target, "C:\\Tools\\Help\\index.html");
}

TEST(MainWindowTest, MoreInfoAndDoubleClickShowTheSelectedModule) {
  World empty;
  testing_support::ClearObjects(empty.registry);
  FakeMainView emptyView;
  auto emptyWindow = empty.NewWindow(emptyView);
  ASSERT_TRUE(emptyWindow->Load(false));
  emptyWindow->ListDoubleClicked();
  emptyWindow->MoreInfoClicked();
  emptyWindow->DisableClicked();
  emptyWindow->RemoveClicked();
  EXPECT_TRUE(emptyView.toolTips.empty());

  World world;
  WriteRows(world, kStore, {Entry("Stored", "Disabled", "{D15AB1ED-0000-4000-8000-000000000001}")});
  FakeMainView view;
  auto window = world.NewWindow(view);
  ASSERT_TRUE(window->Load(false));
  window->ListDoubleClicked();
  window->ListClicked(5);
  window->MoreInfoClicked();
  ASSERT_EQ(view.toolTips.size(), 2u);
  EXPECT_EQ(view.toolTips[0].text,
            "Comments: c\r\n Descriptioton: Helper\r\nInternal Name: helper\r\nVersion: 1.2\r\n"
            "Company: Contoso\r\nProduct Name: Helpers\r\nOriginal FIleName: helper.dll\r\nCopy right:(c) Contoso");
  EXPECT_EQ(view.toolTips[0].textHeight, 2500);
  EXPECT_EQ(view.toolTips[1].text, plugwarden::kMissingModuleText);
  EXPECT_EQ(view.toolTips[1].textHeight, 1000);
  EXPECT_EQ(view.toolTips[1].width, 4000);
}

TEST(MainWindowTest, CloseBoxMenuAndSessionEndUnloadAlikeAndOnce) {
  std::vector<std::string> outcomes;
  for (int way = 0; way < 2; ++way) {
    World world;
    world.AddPacks();
    FakeMainView view;
    auto window = world.NewWindow(view);
    ASSERT_TRUE(window->Load(false));
    window->ListClicked(2);
    window->DisableClicked();
    world.prompt.Script({shared::kAnswerYes});
    window->ApplyClicked();
    window->LanguageChosen("Arabic");
    if (way == 0) {
      window->ExitChosen();  // the close box and mnuExit
    } else {
      window->Unload(true);  // WM_ENDSESSION
    }
    // Whatever comes after the first unload writes nothing more.
    world.files.FailWrites(true);
    world.settings.FailSaves(true);
    window->Unload();
    window->ExitChosen();
    EXPECT_EQ(world.prompt.Asked().size(), 1u) << "only the confirmation";
    outcomes.push_back(world.RunValue() + "|" + world.FileText(kStore));
  }
  EXPECT_EQ(outcomes[0], outcomes[1]);
  EXPECT_NE(outcomes[0].find("|0|Arabic.ini|Object 2\r\nDisabled\r\n"), std::string::npos) << outcomes[0];

  // While Windows ends the session a failure goes to the error log, not to a box.
  World world;
  FakeMainView view;
  auto window = world.NewWindow(view);
  ASSERT_TRUE(window->Load(false));
  window->CheckClicked(true);
  world.files.LockFile("C:\\Windows\\SaveStartBHOProf.pro");
  window->Unload(true);
  EXPECT_TRUE(world.prompt.Asked().empty());
  EXPECT_NE(world.FileText(std::string(kFolder) + "\\errorlog.txt").find("start-up profile could not be saved"),
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
