// Bootwarden's main window and add-task dialog against the fakes: load, captions, buttons,
// language switching, the apply items and the rules of the added row.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bootwarden/add_task.h"
#include "bootwarden/main_window.h"
#include "shared/registry_store.h"
#include "tests/common/bootwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/common/startup_scenario.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_dialog.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_session.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"

namespace {

using bootwarden::MainControl;
using bootwarden::MainMenu;
using bootwarden::StartupEntry;

constexpr char kProgramFolder[] = "C:\\Program Files\\Bootwarden";
constexpr char kStore[] = "C:\\Windows\\SaveProf.pro";

std::string ReadSourcePack(const std::string& name) {
  std::ifstream in(std::string(WARDEN_LANG_SOURCE_DIR) + "/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Records every call as one line, so the order of the caption routine can be compared.
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
    pictures = list.pictureFiles;
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
  void ShowAddTask() override { ++addTaskShown; }
  void ShowAbout(const shared::AboutVariant& about) override { aboutShown.push_back(about); }
  shared::WindowId Owner() override { return 42; }
  void Close() override { ++closed; }

  bool anotherInstance = false, failPictures = false;
  std::vector<std::string> log, pictures;
  shared::LanguageList languages;
  std::string disableCaption = "&Disable";
  bool removeEnabled = true;
  int rowsShown = 0, rowShown = 0, addTaskShown = 0, closed = 0;
  std::vector<shared::AboutVariant> aboutShown;
};

class BootwardenWindowTest : public ::testing::Test {
 protected:
  BootwardenWindowTest()
      : machine_(testing_support::FakeStartupMachine()),
        store_(*machine_.registry),
        reg_(*machine_.registry),
        language_(*machine_.profile, *machine_.files, clock_, kProgramFolder),
        sources_{store_, reg_, *machine_.profile, *machine_.files, *machine_.shellFolders,
                 *machine_.windowsFolder, *machine_.shortcuts, names_},
        targets_{*machine_.registry, *machine_.profile, *machine_.files, *machine_.shellFolders,
                 *machine_.windowsFolder, *machine_.shortcuts, prompt_} {
    testing_support::SeedStartupScenario(machine_);
    Files().AddFolder(std::string(kProgramFolder) + "\\Lang");
  }

  fakes::FakeFileSystem& Files() { return static_cast<fakes::FakeFileSystem&>(*machine_.files); }
  void AddPack(const std::string& name) {
    Files().AddFile(std::string(kProgramFolder) + "\\Lang\\" + name + ".ini", ReadSourcePack(name + ".ini"));
    Files().AddFile(std::string(kProgramFolder) + "\\Lang\\" + name + ".bmp", "BM");
  }
  bootwarden::MainWindow& Window() {
    if (!window_) {
      window_ = std::make_unique<bootwarden::MainWindow>(
          view_, bootwarden::MainWindowServices{language_, settings_, *machine_.files, prompt_, dialog_, shell_,
                                                session_, sources_, targets_});
    }
    return *window_;
  }
  std::string Setting() { return settings_.GetSetting("Bootwarden", "Language", "Name"); }
  int Find(const std::string& loadFrom, const std::string& name) {
    const shared::ListModel& list = Window().List();
    for (int position = 1; position <= list.Count(); ++position) {
      if (list.Text(position, StartupEntry::kLoadFrom) == loadFrom && list.Text(position, 0) == name) return position;
    }
    return 0;
  }
  bool MachineRunHas(const std::string& name) {
    shared::RegistryComponent reg(*machine_.registry);
    reg.RootKey = shared::kHkeyLocalMachine;
    reg.KeyPath = std::string(bootwarden::kRunKeyBase) + "Run";
    reg.ValueName = name;
    return reg.GetValue().ok();
  }

  testing_support::StartupMachine machine_;
  shared::RegistryStore store_;
  shared::RegistryComponent reg_;
  bootwarden::LocationNames names_;
  fakes::FakeClock clock_;
  shared::LanguagePack language_;
  fakes::FakeSettings settings_;
  fakes::FakePrompt prompt_;
  fakes::FakeFileDialog dialog_;
  fakes::FakeShell shell_;
  fakes::FakeSession session_;
  bootwarden::StartupSources sources_;
  bootwarden::StartupTargets targets_;
  RecordingView view_;
  std::unique_ptr<bootwarden::MainWindow> window_;
};

TEST_F(BootwardenWindowTest, LoadWithPacksSetsEveryCaptionInOrderThenTheButtonsFromTheFirstRow) {
  AddPack("English");
  AddPack("Arabic");
  ASSERT_TRUE(Window().Load());

  EXPECT_EQ(language_.CurrentLanguageFile(), "English.ini") << "nothing stored";
  ASSERT_EQ(view_.languages.items.size(), 2u);
  EXPECT_EQ(view_.languages.selected, 0u);
  EXPECT_EQ(view_.pictures, (std::vector<std::string>{"English.bmp", "Arabic.bmp"}));
  const std::vector<std::string> expected = {
      "menu0=&Edit", "menu1=Autoexec.bat", "menu2=Config.sys", "menu3=Registry", "menu4=&Profile",
      "menu5=&Save to profile", "menu6=&Load from profile", "menu7=&Apply", "menu8=Apply and &Restart Windows",
      "menu9=Apply and &LogOff", "menu10=Apply and& Exit Program", "menu11=&Just Apply", "menu12=&Help",
      "menu13=Help &Index", "menu14=&About", "menu15=&Update Bootwarden", "menu16=&Visit Vexlin Online",
      "control0=StartUp Programs", "control1=&Remove", "control2=R&eset All", "control3=Add &Task",
      "control4=Select  Language", "column1=Task Name", "column2=Status", "column3=Load From", "column4=User",
      "column5=When?", "column6=Location",
      "control5=&Enable",   // the caption routine ends with the Enable text
      "control5=&Disable",  // then load step 8: the first row is "Enabled"
  };
  EXPECT_EQ(view_.log, expected);
  EXPECT_TRUE(view_.removeEnabled);
  EXPECT_EQ(Window().About().caption, "About Bootwarden");
  EXPECT_EQ(Window().About().ok, "OK");
  EXPECT_EQ(Window().About().disclaimer, "");
  EXPECT_EQ(Window().SysInfoMissingText().substr(0, 22), "The System Information");
  EXPECT_EQ(Window().EmptyFieldText().substr(0, 17), "No task was added");
  EXPECT_EQ(Window().RegistryWarningText().substr(0, 21), "Changing the registry");

  EXPECT_EQ(testing_support::SortedWithinStartupFolders(testing_support::RowsOf(Window().List())),
            testing_support::ExpectedStartupRows(machine_));
  EXPECT_EQ(Window().List().Selected(), 1);
}

TEST_F(BootwardenWindowTest, WithoutPacksTheDesignCaptionsStayAndStoredRowsFollowTheEnumeration) {
  bootwarden::StartupEntry stored{"Old Tool", "Disabled", "Registry(Machine Run)", "All Users", "Any User Logs on",
                                  "C:\\old.exe"};
  ASSERT_TRUE(bootwarden::WriteStartupEntryFile(*machine_.files, kStore, {shared::ToRow(stored)}).ok());
  ASSERT_TRUE(Window().Load());

  EXPECT_FALSE(Window().LanguagePackFound());
  EXPECT_EQ(view_.log, (std::vector<std::string>{"control5=Disable"})) << "only load step 8, with the plain text";
  EXPECT_EQ(Window().About().caption, "About Bootwarden");
  EXPECT_EQ(Window().EmptyFieldText(), bootwarden::kMessageDefaults[1]) << "English without a pack";
  const int last = Window().List().Count();
  EXPECT_EQ(bootwarden::EntryAt(Window().List(), last), stored);
}

TEST_F(BootwardenWindowTest, AFlagThatCannotBeLoadedIsShownAndLeavesTheDesignCaptions) {
  AddPack("English");
  view_.failPictures = true;
  ASSERT_TRUE(Window().Load());
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_EQ(prompt_.Asked()[0].text, "English.bmp cannot be loaded.");
  EXPECT_EQ(prompt_.Asked()[0].style, shared::kMbOk);
  EXPECT_FALSE(Window().LanguagePackFound());
  EXPECT_EQ(view_.log, (std::vector<std::string>{"control5=Disable"}));
}

TEST_F(BootwardenWindowTest, ASecondInstanceReadsAndWritesNothing) {
  AddPack("English");
  ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", "Arabic.ini").ok());
  view_.anotherInstance = true;
  EXPECT_FALSE(Window().Load());
  Window().Unload();

  EXPECT_EQ(Window().List().Count(), 0);
  EXPECT_TRUE(view_.log.empty());
  EXPECT_EQ(language_.CurrentLanguageFile(), "");
  EXPECT_EQ(Setting(), "Arabic.ini");
  EXPECT_FALSE(machine_.files->GetAttributes(kStore)) << "no store written";
  EXPECT_TRUE(prompt_.Asked().empty());
}

TEST_F(BootwardenWindowTest, ArabicIsRightToLeftBothWaysAndTheDisableButtonShowsTheEnableTextAfterASwitch) {
  AddPack("English");
  AddPack("Arabic");
  AddPack("French");
  ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", "Arabic.ini").ok());
  ASSERT_TRUE(Window().Load());
  EXPECT_EQ(view_.log.front(), "rtl");

  view_.log.clear();
  Window().LanguageChosen("Arabic");
  EXPECT_EQ(view_.log, (std::vector<std::string>{"rtl"})) << "the same language sets no caption";

  Window().LanguageChosen("French");
  EXPECT_EQ(view_.log.back(), "ltr");
  EXPECT_EQ(view_.disableCaption, Window().EnableText());
  EXPECT_NE(Window().EnableText(), "&Enable") << "French's own text";
  Window().ItemClicked(1);
  EXPECT_EQ(view_.disableCaption, Window().DisableText()) << "an item click sets it from the row";

  Window().Unload();
  EXPECT_EQ(Setting(), "French.ini");
}

TEST_F(BootwardenWindowTest, ButtonsFollowTheClickedRowsStatus) {
  AddPack("English");
  ASSERT_TRUE(Window().Load());
  const int row = Find("Registry(Machine Run)", "Shared Name");
  Window().ItemClicked(row);
  Window().DisableClicked();
  EXPECT_EQ(Window().List().Text(row, StartupEntry::kStatus), "Disabled");
  EXPECT_EQ(view_.disableCaption, "&Enable");
  EXPECT_TRUE(view_.removeEnabled);
  Window().RemoveClicked();
  EXPECT_FALSE(view_.removeEnabled);
  Window().ItemClicked(1);
  EXPECT_EQ(view_.disableCaption, "&Disable");
  EXPECT_TRUE(view_.removeEnabled);

  EXPECT_EQ(view_.rowsShown, 1) << "a click draws its one row again, not the list";
  EXPECT_EQ(view_.rowShown, 2);

  Window().ResetClicked();
  EXPECT_EQ(Window().List().Text(row, StartupEntry::kStatus), "Enabled");
  EXPECT_EQ(Window().List().Selected(), 1) << "the first row, with its captions";
  EXPECT_EQ(view_.disableCaption, "&Disable");
  EXPECT_TRUE(view_.removeEnabled);
}

TEST_F(BootwardenWindowTest, ApplyItemsAskFirstAndDoNothingWithoutYes) {
  AddPack("English");
  ASSERT_TRUE(Window().Load());
  const int row = Find("Registry(Machine Run)", "Shared Name");
  Window().ItemClicked(row);
  Window().DisableClicked();

  prompt_.Script({shared::kAnswerNo, shared::kAnswerNo, shared::kAnswerNo, shared::kAnswerCancel});
  for (MainMenu item : {MainMenu::kAppJust, MainMenu::kAppExit, MainMenu::kAppLog, MainMenu::kAppRest})
    Window().MenuClicked(item);
  ASSERT_EQ(prompt_.Asked().size(), 4u);
  for (const auto& asked : prompt_.Asked()) {
    EXPECT_EQ(asked.text, "Are you sure you want to apply these changes?");
    EXPECT_EQ(asked.style, 36);
    EXPECT_EQ(asked.title, "Confirmation");
  }
  EXPECT_TRUE(MachineRunHas("Shared Name"));
  EXPECT_EQ(view_.closed, 0) << "mnuApp_Exit stays open";
  EXPECT_TRUE(session_.Requests().empty());
  EXPECT_FALSE(machine_.files->GetAttributes(kStore));

  prompt_.Script({shared::kAnswerYes});
  Window().MenuClicked(MainMenu::kAppJust);
  EXPECT_FALSE(MachineRunHas("Shared Name"));
  EXPECT_TRUE(machine_.files->GetAttributes(kStore)) << "written after the apply";
  EXPECT_EQ(view_.closed, 0);

  prompt_.Script({shared::kAnswerYes});
  Window().MenuClicked(MainMenu::kAppExit);
  EXPECT_EQ(view_.closed, 1);
  EXPECT_EQ(Setting(), "English.ini");
  Window().Unload(true);  // WM_ENDSESSION after the close: nothing runs twice
  EXPECT_EQ(view_.closed, 1);
}

TEST_F(BootwardenWindowTest, ASessionEndLogsWhatCouldNotBeSaved) {
  ASSERT_TRUE(Window().Load());
  Window().ItemClicked(1);
  Window().DisableClicked();
  Files().LockFile(kStore);
  Window().Unload(true);
  EXPECT_TRUE(prompt_.Asked().empty()) << "no one is there to answer";
  const std::string log = Files().ReadFile(std::string(kProgramFolder) + "\\errorlog.txt").value_or("");
  EXPECT_NE(log.find("could not be saved to C:\\Windows\\SaveProf.pro"), std::string::npos) << log;
}

TEST_F(BootwardenWindowTest, LogOffAndRestartStoreTheDisabledEntriesBeforeTheSessionEnds) {
  ASSERT_TRUE(Window().Load());
  std::vector<std::string> storedAtRequest;
  session_.onRequest = [&](const std::string& request) {
    auto read = bootwarden::ReadStartupEntryFile(*machine_.files, kStore);
    storedAtRequest.push_back(request + ":" + std::to_string(read.ok() ? read.value().size() : 99));
  };
  // A row disabled but not yet taken out is stored too: the apply runs first.
  Window().ItemClicked(Find("Registry(Machine Run)", "Shared Name"));
  Window().DisableClicked();
  prompt_.Script({shared::kAnswerYes});
  Window().MenuClicked(MainMenu::kAppLog);
  Window().ItemClicked(Find("Win.ini Run", "Win.ini Run"));
  Window().DisableClicked();
  prompt_.Script({shared::kAnswerYes});
  Window().MenuClicked(MainMenu::kAppRest);
  EXPECT_EQ(storedAtRequest, (std::vector<std::string>{"LogOff:1", "Restart:2"}));
  EXPECT_EQ(view_.closed, 0) << "the end of the session closes the program";

  session_.Fail(true);
  prompt_.Script({shared::kAnswerYes});
  Window().MenuClicked(MainMenu::kAppLog);
  EXPECT_NE(prompt_.Asked().back().text.find("Access is denied"), std::string::npos) << "a refused logoff is shown";

  Files().FailWrites(true);
  session_.Fail(false);
  prompt_.Script({shared::kAnswerYes});
  Window().MenuClicked(MainMenu::kAppRest);
  EXPECT_EQ(session_.Requests().size(), 3u) << "no restart without the store";
  EXPECT_NE(prompt_.Asked().back().text.find("was not restarted"), std::string::npos);
}

TEST_F(BootwardenWindowTest, MenusHandOverToTheLaunchersAndTheProfiles) {
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

  dialog_.Choose("C:\\profile.txt");
  Window().MenuClicked(MainMenu::kSaveProf);
  // The key's default value has no task name; it comes back as well.
  const int count = Window().List().Count();
  const auto first = Window().List().RowAt(1);
  Window().ItemClicked(2);
  Window().RemoveClicked();
  dialog_.Cancel();
  Window().MenuClicked(MainMenu::kLoadProf);
  EXPECT_EQ(Window().List().Text(2, StartupEntry::kStatus), "Remove") << "a cancel loads nothing";
  dialog_.Choose("C:\\profile.txt");
  Window().MenuClicked(MainMenu::kLoadProf);
  EXPECT_EQ(Window().List().Count(), count);
  EXPECT_EQ(Window().List().RowAt(1), first);
}

// The add-task dialog's view: its fields as a user fills them.
class AddTaskViewFake final : public bootwarden::AddTaskView {
 public:
  void SetRightToLeft(bool rightToLeft) override { this->rightToLeft = rightToLeft; }
  void SetCaption(bootwarden::AddTaskControl control, const std::string& text) override {
    captions.push_back(std::to_string(static_cast<int>(control)) + "=" + text);
  }
  void SetLocations(const bootwarden::LocationNames& names) override { locations = names; }
  void EnableName(bool enabled) override { nameEnabled = enabled; }
  std::string Name() override { return name; }
  std::string Location() override { return location; }
  void SetLocation(const std::string& text) override { location = text; }
  void Close() override { ++closed; }

  bool rightToLeft = false, nameEnabled = false;
  std::vector<std::string> captions;
  bootwarden::LocationNames locations;
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
                                          dialog_, [&](const StartupEntry& e) { Window().AppendRow(e); }});
    dialog->Load();
    return dialog;
  };

  AddTaskViewFake first;
  auto dialog = open(first);
  EXPECT_EQ(first.captions, (std::vector<std::string>{"0=Add Task", "1=Task Name", "2=Add in        :",
                                                      "3=Location", "4=&Add", "5=&Cancel", "6=&Browse"}));
  EXPECT_EQ(first.locations[0], "Registry(User Run)");
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

  // Both win.ini choices disable the name box, whose text stays and is still checked.
  for (int index : {bootwarden::kWinIniLoadLocation, bootwarden::kWinIniRunLocation}) {
    AddTaskViewFake view;
    dialog = open(view);
    view.name = "typed";
    view.location = "loader.exe";
    dialog->LocationChosen(index);
    EXPECT_FALSE(view.nameEnabled);
    dialog->AddClicked();
    EXPECT_EQ(Window().List().Text(Window().List().Count(), 0), view.locations[index]);
    EXPECT_EQ(Window().List().Text(Window().List().Count(), StartupEntry::kUser), "All Users");
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

  // The next apply writes the shortcut.
  prompt_.Script({shared::kAnswerYes});
  Window().MenuClicked(MainMenu::kAppJust);
  const std::string folder = testing_support::StartupFolder(machine_, shared::kCsidlStartup);
  EXPECT_EQ(machine_.shortcuts->ReadTargetPath(folder + "\\Tool.lnk"), "C:\\Tools\\tool.exe /min");
  EXPECT_EQ(bootwarden::AddedTaskUser("Registry(User Run)"), "Current User");
  EXPECT_EQ(bootwarden::AddedTaskUser("Registry(Machine RunOnce)"), "All Users");
}

}  // namespace
