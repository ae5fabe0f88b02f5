// Bootwarden's main window and add-task dialog against the fakes: load, captions, buttons,
// language switching, the apply items and the rules of the added row.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bootwarden/add_task.h"
#include "bootwarden/main_window.h"
#include "tests/common/bootwarden_rig.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_dialog.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_session.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_system.h"

namespace {

using bootwarden::MainControl;
using bootwarden::MainMenu;
using bootwarden::StartupEntry;
using Texts = std::vector<std::string>;

constexpr char kProgramFolder[] = "C:\\Program Files\\Bootwarden";
constexpr char kStore[] = "C:\\Windows\\SaveProf.pro";
constexpr char kMachineRun[] = "Registry(Machine Run)";

// Records every caption call as one line, so the order of the caption routine can be compared.
class RecordingView final : public bootwarden::MainWindowView {
 public:
  bool AnotherInstanceRunning() override { return anotherInstance; }
  void SetRightToLeft(bool rightToLeft) override { log.push_back(rightToLeft ? "rtl" : "ltr"); }
  shared::Status ShowLanguageList(shared::LanguageList& list, const std::string&) override {
    if (failPictures) {
      shared::StopAtFailedPicture(list, 0);
      return shared::Status::Error(shared::kErrorFileNotFound, "English.bmp cannot be loaded.");
    }
    languages = list;
    return shared::Status::Ok();
  }
  void SetMenuCaption(MainMenu menu, const std::string& text) override {
    log.push_back("menu" + std::to_string(static_cast<int>(menu)) + "=" + text);
  }
  void SetControlCaption(MainControl control, const std::string& text) override {
    log.push_back("control" + std::to_string(static_cast<int>(control)) + "=" + text);
    if (control == MainControl::kCmdDisable) disableCaption = text;
  }
  void SetColumnHeader(int column, const std::string& text) override {
    log.push_back("column" + std::to_string(column) + "=" + text);
  }
  void EnableRemove(bool enabled) override { removeEnabled = enabled; }
  void ShowRows() override { ++rowsShown; }
  void ShowRow(int) override { ++rowShown; }
  void ShowAddTask() override {}
  void ShowAbout(const shared::AboutVariant& about) override { aboutShown.push_back(about); }
  shared::WindowId Owner() override { return 42; }
  void Close() override { ++closed; }

  bool anotherInstance = false, failPictures = false, removeEnabled = true;
  Texts log;
  shared::LanguageList languages;
  std::string disableCaption = "&Disable";
  int rowsShown = 0, rowShown = 0, closed = 0;
  std::vector<shared::AboutVariant> aboutShown;
};

class BootwardenWindowTest : public ::testing::Test {
 protected:
  BootwardenWindowTest() {
    testing_support::SeedStartupScenario(machine_);
    Files().AddFolder(std::string(kProgramFolder) + "\\Lang");
  }

  fakes::FakeFileSystem& Files() { return static_cast<fakes::FakeFileSystem&>(*machine_.files); }
  // The shipped packs, read from the source tree.
  template <class... Names>
  void AddPack(const Names&... names) {
    for (const std::string& name : {std::string(names)...}) {
      std::ifstream in(std::string(WARDEN_LANG_SOURCE_DIR) + "/" + name + ".ini", std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      Files().AddFile(std::string(kProgramFolder) + "\\Lang\\" + name + ".ini", text.str());
      Files().AddFile(std::string(kProgramFolder) + "\\Lang\\" + name + ".bmp", "BM");
    }
  }
  bootwarden::MainWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<bootwarden::MainWindow>(
          view_, bootwarden::MainWindowServices{language_, settings_, *machine_.files, prompt_, dialog_, shell_,
                                                session_, rig_.sources, rig_.targets});
    }
    return *window_;
  }
  int Find(const std::string& loadFrom, const std::string& name) {
    return testing_support::RowOf(Window().List(), loadFrom, name);
  }
  std::string Status(int row) { return Window().List().Text(row, StartupEntry::kStatus); }
  bool MachineRunHas(const std::string& name) {
    return testing_support::RunValue(*machine_.registry, shared::kHkeyLocalMachine, "Run", name) != "<none>";
  }
  // A click on the row, then on its Disable/Enable button.
  void Toggle(int row) {
    Window().ItemClicked(row);
    Window().DisableClicked();
  }
  void Apply(MainMenu item) {
    prompt_.Script({shared::kAnswerYes});
    Window().MenuClicked(item);
  }

  testing_support::StartupMachine machine_ = testing_support::FakeStartupMachine();
  fakes::FakePrompt prompt_;
  testing_support::BootwardenRun rig_{machine_, prompt_};  // the sources and targets
  fakes::FakeClock clock_;
  shared::LanguagePack language_{*machine_.profile, *machine_.files, clock_, kProgramFolder};
  fakes::FakeSettings settings_;
  fakes::FakeFileDialog dialog_;
  fakes::FakeShell shell_;
  fakes::FakeSession session_;
  RecordingView view_;
  std::unique_ptr<bootwarden::MainWindow> window_;
};

TEST_F(BootwardenWindowTest, LoadWithPacksSetsEveryCaptionInOrderThenTheButtonsFromTheFirstRow) {
  AddPack("English", "Arabic");
  ASSERT_TRUE(Window().Load());

  EXPECT_EQ(language_.CurrentLanguageFile(), "English.ini") << "nothing stored";
  ASSERT_EQ(view_.languages.items.size(), 2u);
  EXPECT_EQ(view_.languages.selected, 0u);
  // English keeps the design texts, so each item's caption key is checked against its design text.
  ASSERT_EQ(view_.log.size(), 30u);
  for (int menu = 0; menu < static_cast<int>(MainMenu::kVisit); ++menu)
    EXPECT_EQ(view_.log[menu], "menu" + std::to_string(menu) + "=" + DesignCaption(MainMenu(menu)));
  EXPECT_EQ(view_.log[16], "menu16=&Visit Vexlin Online");  // the pack names the maker, the design its site
  for (int control = 0; control < 5; ++control) {
    EXPECT_EQ(view_.log[17 + control],
              "control" + std::to_string(control) + "=" + DesignCaption(MainControl(control)));
  }
  EXPECT_EQ(Texts(view_.log.begin() + 22, view_.log.end()),
            (Texts{"column1=Task Name", "column2=Status", "column3=Load From", "column4=User", "column5=When?",
                   "column6=Location",
                   "control5=&Enable",     // the caption routine ends with the Enable text
                   "control5=&Disable"}));  // then the load: the first row is "Enabled"
  EXPECT_TRUE(view_.removeEnabled);
  EXPECT_EQ(Window().About().caption, "About Bootwarden");
  EXPECT_EQ(Window().About().ok, "OK");
  EXPECT_EQ(Window().SysInfoMissingText().substr(0, 22), "The System Information");
  EXPECT_EQ(Window().EmptyFieldText().substr(0, 17), "No task was added");
  EXPECT_EQ(Window().RegistryWarningText().substr(0, 21), "Changing the registry");

  EXPECT_EQ(testing_support::SortedWithinStartupFolders(testing_support::RowsOf(Window().List())),
            testing_support::ExpectedStartupRows(machine_));
  EXPECT_EQ(Window().List().Selected(), 1);
}

// No pack, or a flag that cannot be loaded: the design captions stay; stored rows follow the
// enumerated ones either way.
TEST_F(BootwardenWindowTest, WithoutPacksTheDesignCaptionsStayAndStoredRowsFollowTheEnumeration) {
  const StartupEntry stored{"Old Tool", "Disabled", kMachineRun, "All Users", "Any User Logs on", "C:\\old.exe"};
  ASSERT_TRUE(bootwarden::WriteStartupEntryFile(*machine_.files, kStore, {shared::ToRow(stored)}).ok());
  for (const bool badFlag : {false, true}) {
    SCOPED_TRACE(badFlag ? "bad flag" : "no pack");
    window_.reset();
    view_ = RecordingView();
    view_.failPictures = badFlag;
    if (badFlag) AddPack("English");
    ASSERT_TRUE(Window().Load());
    EXPECT_FALSE(Window().LanguagePackFound());
    EXPECT_EQ(view_.log, Texts{"control5=Disable"}) << "only the load's button caption, with the plain text";
    EXPECT_EQ(Window().About().caption, "About Bootwarden");
    EXPECT_EQ(Window().EmptyFieldText(), bootwarden::kMessageDefaults[1]) << "English without a pack";
    EXPECT_EQ(bootwarden::EntryAt(Window().List(), Window().List().Count()), stored);
  }
  ASSERT_EQ(prompt_.Asked().size(), 1u) << "only the flag is told";
  EXPECT_EQ(prompt_.Asked()[0].text, "English.bmp cannot be loaded.");
  EXPECT_EQ(prompt_.Asked()[0].style, shared::kMbOk);
}

TEST_F(BootwardenWindowTest, ASecondInstanceDoesNothingArabicIsRightToLeftBothWaysAndTheButtonFollowsTheRowAfterASwitch) {
  AddPack("English", "Arabic", "French");
  ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", "Arabic.ini").ok());
  // A second instance reads and writes nothing.
  view_.anotherInstance = true;
  EXPECT_FALSE(Window().Load());
  Window().Unload();
  EXPECT_EQ(Window().List().Count(), 0);
  EXPECT_TRUE(view_.log.empty());
  EXPECT_EQ(language_.CurrentLanguageFile(), "");
  EXPECT_EQ(settings_.GetSetting("Bootwarden", "Language", "Name"), "Arabic.ini");
  EXPECT_FALSE(machine_.files->GetAttributes(kStore)) << "no store written";
  EXPECT_TRUE(prompt_.Asked().empty());

  window_.reset();
  view_.anotherInstance = false;
  ASSERT_TRUE(Window().Load());
  EXPECT_EQ(view_.log.front(), "rtl");

  view_.log.clear();
  Window().LanguageChosen("Arabic");
  EXPECT_EQ(view_.log, Texts{"rtl"}) << "the same language sets no caption";

  Window().LanguageChosen("French");
  EXPECT_EQ(view_.log.back(), "ltr");
  EXPECT_NE(Window().DisableText(), "&Disable") << "French's own text";
  // The button still names what it does to the selected (enabled) row, now in French.
  EXPECT_EQ(view_.disableCaption, Window().DisableText());
}

// The buttons follow the clicked row; the four apply items ask first and do nothing without Yes;
// log off and restart store first.
TEST_F(BootwardenWindowTest, ApplyItemsAskFirstAndDoNothingWithoutYes) {
  AddPack("English");
  ASSERT_TRUE(Window().Load());
  const int row = Find(kMachineRun, "Shared Name");
  Toggle(row);
  EXPECT_EQ(Status(row), "Disabled");
  EXPECT_EQ(view_.disableCaption, "&Enable");
  Window().RemoveClicked();
  EXPECT_FALSE(view_.removeEnabled);
  Window().ItemClicked(1);
  EXPECT_EQ(view_.disableCaption, "&Disable");
  EXPECT_TRUE(view_.removeEnabled);
  EXPECT_EQ(view_.rowsShown, 1) << "a click draws its one row again, not the list";
  EXPECT_EQ(view_.rowShown, 2);
  Window().ItemClicked(row);
  Window().ResetClicked();
  EXPECT_EQ(Status(row), "Enabled");
  EXPECT_EQ(Window().List().Selected(), 1) << "the first row, with its captions";
  EXPECT_EQ(view_.disableCaption, "&Disable");
  Toggle(row);

  prompt_.Script({shared::kAnswerNo, shared::kAnswerNo, shared::kAnswerNo, shared::kAnswerCancel});
  for (MainMenu item : {MainMenu::kAppJust, MainMenu::kAppExit, MainMenu::kAppLog, MainMenu::kAppRest})
    Window().MenuClicked(item);
  ASSERT_EQ(prompt_.Asked().size(), 4u);
  for (const auto& asked : prompt_.Asked()) {
    EXPECT_EQ(asked.text, "Are you sure you want to apply these changes?");
    EXPECT_EQ(asked.style, shared::kMbYesNo | shared::kMbIconQuestion);
    EXPECT_EQ(asked.title, "Confirmation");
  }
  EXPECT_TRUE(MachineRunHas("Shared Name"));
  EXPECT_EQ(view_.closed, 0) << "mnuApp_Exit stays open";
  EXPECT_TRUE(session_.Requests().empty());
  EXPECT_FALSE(machine_.files->GetAttributes(kStore));

  // Without administrator rights a machine-wide row stops the whole apply with one message: the
  // row stays staged, nothing is written, no session ends. The user's own rows still apply.
  auto& system = static_cast<fakes::FakeSystem&>(*machine_.system);
  system.administrator = false;
  Apply(MainMenu::kAppLog);
  ASSERT_EQ(prompt_.Asked().size(), 6u);
  EXPECT_EQ(prompt_.Asked().back().text.rfind("Changing the start-up entries of all users needs", 0), 0u);
  EXPECT_EQ(Status(row), "Disabled");
  EXPECT_TRUE(MachineRunHas("Shared Name"));
  EXPECT_FALSE(machine_.files->GetAttributes(kStore));
  EXPECT_TRUE(session_.Requests().empty());
  Toggle(row);
  const int user = Find("Registry(User Run)", "Shared Name");
  Toggle(user);
  Apply(MainMenu::kAppJust);
  EXPECT_EQ(Status(user), "Disabled");
  EXPECT_EQ(testing_support::RunValue(*machine_.registry, shared::kHkeyCurrentUser, "Run", "Shared Name"), "<none>");
  Toggle(user);
  Apply(MainMenu::kAppJust);
  EXPECT_NE(testing_support::RunValue(*machine_.registry, shared::kHkeyCurrentUser, "Run", "Shared Name"), "<none>");
  system.administrator = true;
  Toggle(row);

  Apply(MainMenu::kAppJust);
  EXPECT_FALSE(MachineRunHas("Shared Name"));
  EXPECT_TRUE(machine_.files->GetAttributes(kStore)) << "written after the apply";
  EXPECT_EQ(view_.closed, 0);

  // Log off and restart store the disabled entries before the session ends, a row disabled but
  // not yet taken out too: the apply runs first.
  Texts storedAtRequest;
  session_.onRequest = [&](const std::string& request) {
    auto read = bootwarden::ReadStartupEntryFile(*machine_.files, kStore);
    storedAtRequest.push_back(request + ":" + std::to_string(read.ok() ? read.value().size() : 99));
  };
  Toggle(Find("Win.ini Run", "Win.ini Run"));
  Apply(MainMenu::kAppLog);
  Toggle(Find("StartUp (Current User)", "Tool"));
  Apply(MainMenu::kAppRest);
  EXPECT_EQ(storedAtRequest, (Texts{"LogOff:2", "Restart:3"}));
  EXPECT_EQ(view_.closed, 0) << "the end of the session closes the program";
  session_.Fail(true);
  Apply(MainMenu::kAppLog);
  EXPECT_NE(prompt_.Asked().back().text.find("Access is denied"), std::string::npos) << "a refused logoff is shown";
  Files().FailWrites(true);
  session_.Fail(false);
  Apply(MainMenu::kAppRest);
  EXPECT_EQ(session_.Requests().size(), 3u) << "no restart without the store";
  EXPECT_NE(prompt_.Asked().back().text.find("was not restarted"), std::string::npos);

  const std::size_t told = prompt_.Asked().size();
  Apply(MainMenu::kAppExit);
  EXPECT_EQ(view_.closed, 1);
  ASSERT_EQ(prompt_.Asked().size(), told + 2) << "the question, then the store that could not be saved";
  EXPECT_EQ(prompt_.Asked().back().text.rfind("The list of disabled entries could not be saved", 0), 0u);
  Window().Unload(true);  // WM_ENDSESSION after the close: nothing runs twice
  EXPECT_EQ(view_.closed, 1);
}

// The profile items are the Wine test's, through the real dialogs.
TEST_F(BootwardenWindowTest, MenusHandOverToTheLaunchersAndASessionEndLogsWhatCouldNotBeSaved) {
  AddPack("English");
  ASSERT_TRUE(Window().Load());
  Window().MenuClicked(MainMenu::kVisit);
  ASSERT_EQ(shell_.Opened().size(), 1u);
  EXPECT_EQ(shell_.Opened()[0].owner, 42u);
  prompt_.Script({shared::kAnswerNo});
  Window().MenuClicked(MainMenu::kRegistry);
  EXPECT_EQ(prompt_.Asked().back().text, Window().RegistryWarningText());
  EXPECT_TRUE(shell_.CommandLines().empty()) << "No starts nothing";
  Window().MenuClicked(MainMenu::kAbout);
  ASSERT_EQ(view_.aboutShown.size(), 1u);
  EXPECT_EQ(view_.aboutShown[0].description.substr(0, 14), "Use Bootwarden");

  // While Windows ends the session no one is there to answer: what could not be saved is logged.
  Toggle(1);
  Files().LockFile(kStore);
  Window().Unload(true);
  EXPECT_EQ(prompt_.Asked().size(), 1u) << "only the registry warning";
  const std::string log = Files().ReadFile(std::string(kProgramFolder) + "\\errorlog.txt").value_or("");
  EXPECT_NE(log.find("could not be saved to C:\\Windows\\SaveProf.pro"), std::string::npos) << log;
}

// The add-task dialog's view: its fields as a user fills them.
class AddTaskViewFake final : public bootwarden::AddTaskView {
 public:
  void SetRightToLeft(bool) override {}
  void SetCaption(bootwarden::AddTaskControl control, const std::string& text) override {
    captions.push_back(std::to_string(static_cast<int>(control)) + "=" + text);
  }
  void SetLocations(const std::vector<std::string>& names) override { locations = names; }
  void EnableName(bool enabled) override { nameEnabled = enabled; }
  std::string Name() override { return name; }
  std::string Location() override { return location; }
  void SetLocation(const std::string& text) override { location = text; }
  void Close() override { ++closed; }

  bool nameEnabled = false;
  Texts captions;
  std::vector<std::string> locations;
  std::string name, location;
  int closed = 0;
};

TEST_F(BootwardenWindowTest, AddTaskAppendsOneEnabledRowWithTheRulesOfItsFields) {
  AddPack("English");
  ASSERT_TRUE(Window().Load());
  const int before = Window().List().Count();
  const int selected = Window().List().Selected();
  const auto open = [&](AddTaskViewFake& view) {
    auto dialog = std::make_unique<bootwarden::AddTask>(
        view, bootwarden::AddTaskServices{language_, Window().LanguagePackFound(), Window().EmptyFieldText(), prompt_,
                                          dialog_, [&](const StartupEntry& e) { Window().AppendRow(e); },
                                      Window().TaskLocations()});
    dialog->Load();
    return dialog;
  };
  const auto last = [&](int field) { return Window().List().Text(Window().List().Count(), field); };

  AddTaskViewFake first;
  auto dialog = open(first);
  EXPECT_EQ(first.captions, (Texts{"0=Add Task", "1=Task Name", "2=Add in        :", "3=Location", "4=&Add",
                                   "5=&Cancel", "6=&Browse"}));
  // The fake machine has both registry views: the 32-bit view's keys follow the eight.
  EXPECT_EQ(first.locations, bootwarden::AddableLocations(true));
  EXPECT_TRUE(first.nameEnabled);
  dialog->LocationChosen(bootwarden::kStartupCurrentUser);
  first.name = "Tool";
  dialog_.Choose("C:\\Tools\\tool.exe");
  dialog->BrowseClicked();
  first.location += " /min";
  dialog_.Cancel();
  dialog->BrowseClicked();
  EXPECT_EQ(first.location, "C:\\Tools\\tool.exe /min") << "a cancel keeps the command line";
  dialog->AddClicked();
  EXPECT_EQ(first.closed, 1);
  ASSERT_EQ(Window().List().Count(), before + 1);
  EXPECT_EQ(bootwarden::EntryAt(Window().List(), before + 1),
            (StartupEntry{"Tool", "Enabled", "StartUp (Current User)", "Current User", "logging on",
                          "C:\\Tools\\tool.exe /min"}));
  EXPECT_EQ(Window().List().Selected(), selected);
  EXPECT_EQ(Window().Staging().SnapshotCount(), before) << "the snapshot waits for the apply";
  // Its shortcut would replace the seeded Tool.lnk: asked first; kept out, its row offers Enable.
  Window().ItemClicked(before + 1);
  prompt_.Script({shared::kAnswerYes, shared::kAnswerNo});
  Window().MenuClicked(MainMenu::kAppJust);
  EXPECT_EQ(Status(before + 1), "Disabled");
  EXPECT_EQ(view_.disableCaption, "&Enable");
  EXPECT_EQ(machine_.shortcuts->ReadArguments(testing_support::StartupFolder(machine_, shared::kCsidlStartup) +
                                              "\\Tool.lnk"), "");

  // Both win.ini choices disable the name box, whose text stays and is still checked.
  for (int index : {bootwarden::kWinIniLoadLocation, bootwarden::kWinIniRunLocation}) {
    AddTaskViewFake view;
    dialog = open(view);
    view.name = "typed";
    view.location = "loader.exe";
    dialog->LocationChosen(index);
    EXPECT_FALSE(view.nameEnabled);
    dialog->AddClicked();
    EXPECT_EQ(last(StartupEntry::kTaskName), view.locations[index]);
    EXPECT_EQ(last(StartupEntry::kUser), "All Users");
  }
  AddTaskViewFake empty;
  dialog = open(empty);
  dialog->LocationChosen(bootwarden::kWinIniLoadLocation);
  dialog->LocationChosen(bootwarden::kMachineRun);
  EXPECT_TRUE(empty.nameEnabled);
  empty.location = "x.exe";
  const int count = Window().List().Count();
  dialog->AddClicked();
  EXPECT_EQ(prompt_.Asked().back().text, Window().EmptyFieldText());
  EXPECT_EQ(prompt_.Asked().back().style, 0);
  EXPECT_EQ(empty.closed, 0) << "open, with what was typed";
  EXPECT_EQ(empty.location, "x.exe");
  EXPECT_EQ(Window().List().Count(), count);
  EXPECT_EQ(bootwarden::AddedTaskUser("Registry(User Run)"), "Current User");
  EXPECT_EQ(bootwarden::AddedTaskUser("Registry(Machine RunOnce)"), "All Users");
}

}  // namespace
