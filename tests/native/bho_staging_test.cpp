// Staging, apply, the store and the start/exit sequences against the fakes.
#include <gtest/gtest.h>

#include "plugwarden/bho_profiles.h"
#include "tests/common/plugwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_system.h"
#include "tests/fakes/fake_version.h"
#include "tests/fakes/fake_windows_folder.h"

namespace {

using plugwarden::BhoEntry;
using shared::kHkeyClassesRoot;
using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;
using testing_support::ClassKey;
using testing_support::ObjectId;
using testing_support::ObjectKey;
using testing_support::ObjectName;

constexpr char kFolder[] = "C:\\Tools";
constexpr char kModule[] = "C:\\Tools\\helper.dll";
constexpr char kStore[] = "C:\\Windows\\SaveBHOProf.pro";
constexpr char kProfile[] = "C:\\Windows\\SaveStartBHOProf.pro";
// The pack's trailing blank is trimmed by the lookup.
constexpr char kNoRights[] = "No rights onHKEY_LOCAL_MACHINE ";
constexpr char kWriteFailed[] = "Registry write failed.";

class PlugwardenTest : public ::testing::Test {
 protected:
  PlugwardenTest() {
    files_.AddFolder("C:\\Windows");
    files_.AddFile(kModule, "MZ");
    files_.AddFile(std::string(kFolder) + "\\Lang\\English.ini",
                   "[Vexlin Language Pack]\r\n8513=No profile to load.\r\n8514=Registry write failed.\r\n"
                   "8515=No rights on \r\n8516=Close every browser window first.\r\n"
                   "8517=That name is taken.\r\n8518=Apply now?\r\n8601=Profiles unreadable: \r\n"
                   "8602=Objects not listed: \r\n8603=Disabling failed.\r\n8604=Removal failed.\r\n");
    language_.SetCurrentLanguageFile("English.ini");
    testing_support::SeedObjects(registry_, kModule);
  }

  std::unique_ptr<testing_support::PlugwardenRun> NewRun() {
    return std::make_unique<testing_support::PlugwardenRun>(testing_support::PlugwardenPorts{
        registry_, files_, versions_, system_, prompt_, language_, settings_, windowsFolder_});
  }
  // A run started the way the window starts it, with the prompts seen so far forgotten.
  std::unique_ptr<testing_support::PlugwardenRun> StartRun() {
    auto run = NewRun();
    start_ = run->Start();
    asked_ = prompt_.Asked().size();
    return run;
  }
  void Apply(testing_support::PlugwardenRun& run) {
    asked_ = prompt_.Asked().size();
    prompt_.Script({shared::kAnswerYes});
    run.staging.ApplyClicked();
  }
  // The prompts shown since the last Apply or start.
  std::vector<fakes::AskedPrompt> Shown() const {
    return {prompt_.Asked().begin() + static_cast<long>(asked_), prompt_.Asked().end()};
  }
  bool There(shared::RegRoot root, const std::string& path) {
    return testing_support::KeyThere(registry_, root, path);
  }
  std::vector<std::string> StoredIds() {
    std::vector<std::string> ids;
    for (const auto& row : shared::ReadEntryFile(files_, kStore).value_or({})) ids.push_back(row[5]);
    return ids;
  }

  fakes::FakeRegistry registry_;
  fakes::FakeFileSystem files_;
  fakes::FakeVersion versions_;
  fakes::FakeSystem system_;
  fakes::FakePrompt prompt_;
  fakes::FakeClock clock_;
  fakes::FakeProfile profile_{files_, "C:\\Windows"};
  shared::LanguagePack language_{profile_, files_, clock_, kFolder};
  fakes::FakeSettings settings_;
  fakes::FakeWindowsFolder windowsFolder_;
  plugwarden::StartOutcome start_;
  std::size_t asked_ = 0;
};

TEST_F(PlugwardenTest, ButtonsStageAndShowTheNextAction) {
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 4);
  auto& staging = run->staging;
  staging.DisableClicked();
  staging.RemoveClicked();
  EXPECT_EQ(run->list.Text(1, 1), "Enabled") << "no selection: nothing";

  staging.SelectRow(2);
  EXPECT_EQ(staging.DisableButtonCaption(), "&Disable");
  staging.DisableClicked();
  EXPECT_EQ(run->list.Text(2, 1), "Disabled");
  EXPECT_EQ(staging.DisableButtonCaption(), "&Enable");
  staging.RemoveClicked();
  EXPECT_EQ(run->list.Text(2, 1), "Remove");
  EXPECT_FALSE(staging.RemoveEnabled());
  staging.RemoveClicked();
  EXPECT_EQ(run->list.Text(2, 1), "Remove");
  staging.DisableClicked();
  EXPECT_EQ(run->list.Text(2, 1), "Enabled") << "Remove -> Enabled";
  EXPECT_TRUE(staging.RemoveEnabled());

  run->list.SetText(3, 1, "ERROR");
  staging.SelectRow(3);
  EXPECT_EQ(staging.DisableButtonCaption(), "&Disable");
  staging.DisableClicked();
  EXPECT_EQ(run->list.Text(3, 1), "Disabled");
  staging.SelectRow(3);
  EXPECT_EQ(staging.DisableButtonCaption(), "&Enable");
  // Disable twice comes back to where it was; Apply then has nothing to do for it.
  staging.SelectRow(1);
  staging.DisableClicked();
  staging.DisableClicked();
  EXPECT_EQ(run->list.Text(1, 1), "Enabled");
}

TEST_F(PlugwardenTest, DisableDeletesOnlyTheObjectKeyAndRemoveAlsoTheClass) {
  auto run = StartRun();
  run->Toggle(1);
  run->MarkRemove(2);
  Apply(*run);
  const auto shown = Shown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Apply now?");
  EXPECT_EQ(shown[0].style, 36);
  EXPECT_EQ(shown[0].title, "Confirmation");

  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(1) + "\\InprocServer32")) << "disable leaves the class alone";
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(2)));
  EXPECT_FALSE(There(kHkeyClassesRoot, ClassKey(2)));
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(3)));

  ASSERT_EQ(run->list.Count(), 3) << "the removed row leaves the list";
  EXPECT_EQ(run->list.Text(1, 1), "Disabled");
  EXPECT_EQ(run->staging.AppliedEntries()[0].Status, "Disabled");
  EXPECT_EQ(run->staging.AppliedEntries()[1].Status, "Remove") << "not to be stored or restored";
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)}) << "the store is written right after the apply";

  // Nothing new staged: the second apply changes nothing and says nothing more.
  testing_support::SeedKey(registry_, kHkeyLocalMachine, ObjectKey(1));
  Apply(*run);
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_EQ(registry_.OpenHandles(), 0);
}

TEST_F(PlugwardenTest, RemoveDeletesOnlyDirectSubkeysAndSaysWhenTheClassStays) {
  testing_support::SeedKey(registry_, kHkeyClassesRoot, ClassKey(3) + "\\Implemented Categories\\{X}");
  auto run = StartRun();
  run->MarkRemove(3);
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(3)));
  EXPECT_FALSE(There(kHkeyClassesRoot, ClassKey(3) + "\\InprocServer32"));
  EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(3) + "\\Implemented Categories\\{X}"));
  const auto shown = Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "Removal failed.\r\nDescribition: HKEY_CLASSES_ROOT\\" + ClassKey(3) +
                               ": Access is denied.");
  EXPECT_EQ(run->list.Count(), 3);
}

TEST_F(PlugwardenTest, ResetAllShowsTheLoadTimeRowsAndReappliesThem) {
  auto run = StartRun();
  const auto atLoad = run->list;
  run->Toggle(1);
  run->MarkRemove(2);
  Apply(*run);
  run->Toggle(3);
  run->staging.ResetAllClicked();
  ASSERT_EQ(run->list.Count(), 4);
  for (int position = 1; position <= 4; ++position) EXPECT_EQ(run->list.RowAt(position), atLoad.RowAt(position));

  // Object 1 was disabled since load: its key comes back, with its name in its own key.
  Apply(*run);
  EXPECT_EQ(Shown().size(), 1u);
  EXPECT_EQ(testing_support::DefaultValue(registry_, kHkeyLocalMachine, ObjectKey(1)), ObjectName(1));
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(2))) << "removed objects are not restored";
  EXPECT_FALSE(There(kHkeyLocalMachine, std::string(plugwarden::kBhoKeyPath) + "\\{KQV-111-222-333-444-555-666}"));
  EXPECT_EQ(run->staging.AppliedEntries()[0].Status, "Enabled");
  EXPECT_FALSE(files_.GetAttributes(kStore)) << "no disabled object left: no store";
}

TEST_F(PlugwardenTest, WithoutRightsEveryChangedRowSaysSoAndNothingChanges) {
  auto first = StartRun();
  first->Toggle(4);
  Apply(*first);
  first->Exit(false);

  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 4);  // three enumerated, object 4 from the store
  system_.administrator = false;
  run->Toggle(1);
  run->MarkRemove(2);
  run->Toggle(4);  // back to "Enabled"
  Apply(*run);
  const auto shown = Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[1].text, kNoRights);
  EXPECT_EQ(shown[1].style, 0);
  EXPECT_EQ(shown[1].title, "Plugwarden");
  EXPECT_EQ(shown[2].style, 0);
  EXPECT_EQ(shown[3].text, kNoRights);
  EXPECT_EQ(shown[3].style, 16) << "the name write's own check";
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(2)));
  EXPECT_EQ(run->list.Count(), 3) << "the Remove row leaves anyway";
  EXPECT_EQ(run->staging.AppliedEntries()[3].Status, "Disabled") << "a failed change keeps its record";
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(4)});
  run->staging.ResetAllClicked();
  EXPECT_EQ(run->list.Text(2, 5), ObjectId(2));
}

TEST_F(PlugwardenTest, NoAnswerOrAnOpenBrowserChangesNothing) {
  auto run = StartRun();
  run->Toggle(1);
  prompt_.Script({shared::kAnswerNo});
  run->staging.ApplyClicked();
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));

  for (const char* window : {"IEFrame", "ExploreWClass"}) {
    system_.openClasses = {window};
    Apply(*run);
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 2u) << window;
    EXPECT_EQ(shown[1].text, "Close every browser window first.");
    EXPECT_EQ(shown[1].style, 16);
    EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));
    EXPECT_FALSE(files_.GetAttributes(kStore));
  }
  run->list.Clear();
  prompt_.Script({shared::kAnswerYes});
  const std::size_t before = prompt_.Asked().size();
  run->staging.ApplyClicked();
  EXPECT_EQ(prompt_.Asked().size(), before) << "an empty list asks nothing";
}

TEST_F(PlugwardenTest, AFailedChangeIsReportedAndTriedAgain) {
  registry_.DenyWrites(kHkeyLocalMachine, ObjectKey(1));
  auto run = StartRun();
  run->Toggle(1);
  Apply(*run);
  auto shown = Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "Disabling failed.\r\nDescribition: HKEY_LOCAL_MACHINE\\" + ObjectKey(1) +
                               ": Access is denied.");
  EXPECT_EQ(run->staging.AppliedEntries()[0].Status, "Enabled");
  EXPECT_TRUE(StoredIds().empty()) << "the store says what came out";
  Apply(*run);
  EXPECT_EQ(Shown().size(), 2u) << "tried again";

  // A key that cannot be created again: 8514 with the reason, the record stays "Disabled".
  auto other = StartRun();
  other->Toggle(2);
  Apply(*other);
  registry_.DenyWrites(kHkeyLocalMachine, ObjectKey(2));
  other->Toggle(2);
  Apply(*other);
  shown = Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, std::string(kWriteFailed) + "\r\nDescribition: HKEY_LOCAL_MACHINE\\" + ObjectKey(2) +
                               ": Access is denied.");
  EXPECT_EQ(other->staging.AppliedEntries()[1].Status, "Disabled");
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(2)});
}

TEST_F(PlugwardenTest, NoKeyIsDeletedUntilTheStoreKnowsAboutIt) {
  auto run = StartRun();
  run->Toggle(1);
  files_.FailWrites(true);
  Apply(*run);
  const auto shown = Shown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text.rfind("The list of disabled objects could not be saved to C:\\Windows\\SaveBHOProf.pro, "
                                "so nothing was changed.\r\nDescribition: Access is denied.",
                                0),
            0u);
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_EQ(run->staging.AppliedEntries()[0].Status, "Enabled");

  // A kill between Apply and exit: the store written by the apply is what the next start reads.
  files_.FailWrites(false);
  Apply(*run);
  run.reset();
  auto next = StartRun();
  ASSERT_EQ(next->list.Count(), 4);
  EXPECT_EQ(next->list.Text(4, 5), ObjectId(1));
  EXPECT_EQ(next->list.Text(4, 1), "Disabled");
}

TEST_F(PlugwardenTest, RowsKeepTheirOwnRecordsAfterARemoval) {
  auto run = StartRun();
  run->MarkRemove(1);
  Apply(*run);
  run->Toggle(3);
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(3)));
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(2)));
  Apply(*run);
  EXPECT_EQ(Shown().size(), 1u) << "nothing left to do";
  run->Exit(false);
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(3)});
}

TEST_F(PlugwardenTest, ProfileLoadPairsRowsWithTheirObjects) {
  auto run = StartRun();
  std::vector<BhoEntry> reordered;
  for (int object : {4, 3, 2, 1}) reordered.push_back(plugwarden::RowToBhoEntry(run->list, run->PositionOf(object)));
  reordered[0].Status = "Disabled";  // object 4
  reordered[2].Status = "Disabled";  // object 2
  BhoEntry stranger{"Stranger", "Disabled", "", "", "", "{D0000000-0000-4000-8000-000000000001}"};
  testing_support::SeedString(registry_, kHkeyLocalMachine,
                              std::string(plugwarden::kBhoKeyPath) + "\\" + stranger.Identifier, "", "Stranger");
  reordered.push_back(stranger);
  run->staging.ReplaceRows(reordered);
  EXPECT_EQ(run->staging.RecordOf(1), 3);
  EXPECT_EQ(run->staging.RecordOf(5), -1);

  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(4)));
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(2)));
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_FALSE(There(kHkeyLocalMachine, std::string(plugwarden::kBhoKeyPath) + "\\" + stranger.Identifier));
  ASSERT_EQ(run->staging.AppliedEntries().size(), 5u) << "the stranger got a record";
  EXPECT_EQ(run->staging.RecordOf(5), 4);
  Apply(*run);
  EXPECT_EQ(Shown().size(), 1u) << "applied once";
  run->Exit(false);
  EXPECT_EQ(StoredIds(), (std::vector<std::string>{ObjectId(2), ObjectId(4), stranger.Identifier}));
  run->staging.ResetAllClicked();
  EXPECT_EQ(run->list.Count(), 4) << "Reset All shows the load-time rows only";
}

TEST_F(PlugwardenTest, RowsThatNameNoSingleKeyAreRefused) {
  auto run = StartRun();
  const std::vector<BhoEntry> bad{{"Empty", "Remove", "", "", "", ""},
                                  {"Parent", "Disabled", "", "", "", "..\\Browser Helper Objects"},
                                  {"Dot", "Remove", "", "", "", "."},
                                  {"Fine", "Disabled", "", "", "", ObjectId(1)}};
  run->staging.ReplaceRows(bad);
  Apply(*run);
  const auto shown = Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[1].text, "Row 1 (\"Empty\") has no usable identifier (\"\"); nothing was changed for it.");
  EXPECT_EQ(shown[2].text.find("Row 2 (\"Parent\")"), 0u);
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(n) + "\\InprocServer32")) << n;
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(2)));
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)});
}

TEST_F(PlugwardenTest, RowsOfAListEmptyAtLoadAreAppliedByTheirStatus) {
  testing_support::ClearObjects(registry_);
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 0);
  EXPECT_TRUE(run->staging.AppliedEntries().empty());
  testing_support::SeedObjects(registry_, kModule);
  testing_support::DeleteTree(registry_, kHkeyLocalMachine, ObjectKey(2));
  run->staging.ReplaceRows({{ObjectName(1), "Disabled", "", "", "", ObjectId(1)},
                            {ObjectName(2), "Enabled", "", "", "", ObjectId(2)},
                            {ObjectName(3), "ERROR", "", "", "", ObjectId(3)}});
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_EQ(testing_support::DefaultValue(registry_, kHkeyLocalMachine, ObjectKey(2)), ObjectName(2));
  ASSERT_EQ(run->staging.AppliedEntries().size(), 2u);
  EXPECT_EQ(run->staging.RecordOf(3), -1);
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)});
}

TEST_F(PlugwardenTest, ARestartShowsTheDisabledObjectAndReEnablingRestoresIt) {
  auto run = StartRun();
  EXPECT_FALSE(start_.startWithWindows);
  run->Toggle(2);
  Apply(*run);
  run->Toggle(3);  // staged, never applied: not kept
  run->Exit(false);
  EXPECT_EQ(settings_.GetSetting("Plugwarden", "Start", "Check1"), "0");
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(2)});

  auto next = StartRun();
  ASSERT_EQ(next->list.Count(), 4);
  EXPECT_EQ(next->list.Text(4, 0), ObjectName(2));
  EXPECT_EQ(next->list.Text(4, 1), "Disabled");
  next->Toggle(2);
  Apply(*next);
  EXPECT_EQ(testing_support::DefaultValue(registry_, kHkeyLocalMachine, ObjectKey(2)), ObjectName(2));
  next->Exit(false);
  EXPECT_FALSE(files_.GetAttributes(kStore));
}

TEST_F(PlugwardenTest, StartWithWindowsSavesTheProfileAndAppliesItAtTheNextStart) {
  testing_support::SeedString(registry_, kHkeyCurrentUser, plugwarden::kRunKeyPath, "KQ_BHO", "old");
  auto run = StartRun();
  run->Toggle(1);
  Apply(*run);
  run->MarkRemove(1);  // never applied: the object stays disabled
  run->Exit(true, "C:\\Program Files\\Tools\\plugwarden.exe");
  EXPECT_EQ(settings_.GetSetting("Plugwarden", "Start", "Check1"), "1");
  const std::string profile = files_.ReadFile(kProfile).value_or("");
  EXPECT_EQ(std::count(profile.begin(), profile.end(), '\n'), 18);
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)}) << "the store keeps what the profile leaves out";
  shared::RegistryComponent run1(registry_);
  run1.RootKey = kHkeyCurrentUser;
  run1.KeyPath = plugwarden::kRunKeyPath;
  run1.ValueName = "KQ_BHO";
  EXPECT_EQ(run1.GetValue().value_or(""), "\"C:\\Program Files\\Tools\\plugwarden.exe\"") << "never C:\\Program.exe";

  // The next start shows the profile, not the registry, and applies it.
  testing_support::SeedKey(registry_, kHkeyLocalMachine, ObjectKey(1));
  testing_support::SeedString(registry_, kHkeyLocalMachine, std::string(plugwarden::kBhoKeyPath) + "\\{NEW}", "", "New");
  auto next = StartRun();
  EXPECT_TRUE(start_.startWithWindows);
  EXPECT_EQ(start_.message, "");
  ASSERT_EQ(next->list.Count(), 4);
  EXPECT_EQ(next->list.Text(1, 5), ObjectId(2));
  EXPECT_EQ(next->list.Text(4, 1), "Disabled");
  EXPECT_EQ(next->list.Text(4, 5), ObjectId(1));
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1))) << "the box does what its label says";
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(2)));
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)});

  // Turning the box off: the profile's disabled rows become the store; the Run value goes.
  next->Exit(false);
  EXPECT_FALSE(run1.GetValue().ok());
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)});
}

TEST_F(PlugwardenTest, StartFailuresAreCollectedAndExitFailuresShown) {
  settings_.SaveSetting("Plugwarden", "Start", "Check1", "1").IgnoreError();
  files_.AddFile(kProfile, shared::FormatEntryFile({{"Bad", "Disabled", "", "", "", ""},
                                                    {ObjectName(1), "Disabled", "", "", "", ObjectId(1)},
                                                    {"Short", "Enabled"}}));
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 3) << "a short last row keeps what it has";
  EXPECT_EQ(prompt_.Asked().size(), 0u) << "nothing shown before the window is up";
  EXPECT_NE(start_.message.find("Row 1 (\"Bad\")"), std::string::npos);
  EXPECT_NE(start_.message.find("Row 3 (\"Short\")"), std::string::npos);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));

  // A profile that cannot be written keeps the store, and says so.
  files_.FailWrites(true);
  run->Exit(true);
  ASSERT_EQ(prompt_.Asked().size(), 2u);
  EXPECT_EQ(prompt_.Asked()[0].text.find("The start-up profile could not be saved"), 0u);
  // The refused row keeps its stored status: it is input, not ours to drop.
  const std::vector<std::string> stored{"", ObjectId(1)};
  EXPECT_EQ(StoredIds(), stored);
  run->Exit(false);
  ASSERT_EQ(prompt_.Asked().size(), 3u);
  EXPECT_EQ(StoredIds(), stored) << "the old store stays";
}

TEST_F(PlugwardenTest, ProfilesAreAppendedAndListedPerRun) {
  plugwarden::BhoProfiles profiles(files_, prompt_, language_, kFolder);
  EXPECT_EQ(plugwarden::BhoProfiles::TypedCharacter('a'), 'A');
  EXPECT_EQ(plugwarden::BhoProfiles::TypedCharacter('7'), '7');
  EXPECT_FALSE(profiles.IsNameExist("A"));
  auto run = StartRun();
  EXPECT_FALSE(profiles.Load(profiles.ProfileNames(), "", run->staging));
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_EQ(prompt_.Asked()[0].text, "No profile to load.");

  const auto save = [&](const std::string& name, std::initializer_list<int> objects) {
    shared::ListModel rows;
    for (int object : objects) shared::AppendRow(rows, run->list.RowAt(run->PositionOf(object)));
    return profiles.Save(name, rows);
  };
  using Outcome = plugwarden::BhoProfiles::SaveOutcome;
  EXPECT_EQ(save("", {1}), Outcome::kNothing);
  EXPECT_EQ(save("EMPTY", {}), Outcome::kSaved);
  EXPECT_EQ(save("A", {1}), Outcome::kSaved);
  const std::string afterFirst = files_.ReadFile(profiles.FilePath()).value_or("");
  EXPECT_EQ(afterFirst, "A\r\n" + ObjectName(1) + "\r\nEnabled\r\n" + run->list.Text(1, 2) + "\r\n\r\n" + kModule +
                            "\r\n" + ObjectId(1) + "\r\n");
  EXPECT_EQ(save("A", {2}), Outcome::kNameExists);
  EXPECT_EQ(prompt_.Asked().back().text, "That name is taken.");
  EXPECT_EQ(prompt_.Asked().back().style, 0);
  EXPECT_EQ(files_.ReadFile(profiles.FilePath()).value_or(""), afterFirst);
  EXPECT_TRUE(profiles.IsNameExist("A"));
  EXPECT_FALSE(profiles.IsNameExist("a")) << "names compare exactly";

  // A, A, B, A in the file: the list shows A, B, A and A loads all three A records.
  files_.AppendFile(profiles.FilePath(), "A\r\n" + ObjectName(2) + "\r\nDisabled\r\n\r\n\r\n\r\n" + ObjectId(2))
      .IgnoreError();  // no line end at the end of the file
  EXPECT_EQ(save("B", {3}), Outcome::kSaved);
  files_.AppendFile(profiles.FilePath(), "A\r\n" + ObjectName(4) + "\r\nRemove\r\n\r\n\r\n\r\n" + ObjectId(4) + "\r\n")
      .IgnoreError();
  const auto names = profiles.ProfileNames();
  EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "A"}));
  EXPECT_TRUE(profiles.Load(names, "A", run->staging));
  ASSERT_EQ(run->list.Count(), 3);
  EXPECT_EQ(run->list.Text(2, 1), "Disabled");
  EXPECT_EQ(run->list.Text(3, 1), "Remove");
  EXPECT_EQ(run->list.Text(3, 5), ObjectId(4));
  EXPECT_EQ(run->staging.AppliedEntries().size(), 4u) << "tables untouched";

  // A file that cannot be written: the reason, the file as it was, the dialog open.
  const std::string before = files_.ReadFile(profiles.FilePath()).value_or("");
  files_.FailWrites(true);
  EXPECT_EQ(save("C", {1}), Outcome::kFailed);
  EXPECT_NE(prompt_.Asked().back().text.find("Access is denied."), std::string::npos);
  EXPECT_EQ(files_.ReadFile(profiles.FilePath()).value_or(""), before);
}

TEST_F(PlugwardenTest, WhatCannotBeReadIsSaidNotTakenForNothing) {
  // A Browser Helper Objects key that cannot be listed: no rows, and the start says why.
  registry_.DenyListing(kHkeyLocalMachine, plugwarden::kBhoKeyPath);
  auto run = StartRun();
  EXPECT_EQ(run->list.Count(), 0);
  EXPECT_EQ(start_.message.find("Objects not listed:HKEY_LOCAL_MACHINE\\SOFTWARE\\"), 0u) << start_.message;
  EXPECT_NE(start_.message.find("Access is denied."), std::string::npos);

  // A profiles file another program holds open is not "No profile to load.".
  plugwarden::BhoProfiles profiles(files_, prompt_, language_, kFolder);
  files_.AddFile(profiles.FilePath(), "A\r\n" + ObjectName(1) + "\r\nEnabled\r\n\r\n\r\n\r\n" + ObjectId(1) + "\r\n");
  files_.LockFile(profiles.FilePath());
  EXPECT_TRUE(profiles.ProfileNames().empty());
  EXPECT_FALSE(profiles.Load({}, "", run->staging));
  ASSERT_EQ(Shown().size(), 2u);
  for (const auto& shown : Shown()) {
    EXPECT_EQ(shown.text.find("Profiles unreadable:C:\\Tools\\BHO_Config.ini"), 0u) << shown.text;
    EXPECT_NE(shown.text.find("used by another process"), std::string::npos);
  }
}

TEST_F(PlugwardenTest, StoreReadingFollowsTheEntryFileRule) {
  files_.AddFile(kStore, shared::FormatEntryFile({{ObjectName(1), "Disabled", "", "", "", ObjectId(1)}}) +
                             "\r\nSecond\r\nDisabled\r\n\r\n\r\n\r\n{X}\r\n");
  testing_support::DeleteTree(registry_, kHkeyLocalMachine, ObjectKey(1));
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 4);
  EXPECT_EQ(run->list.Text(4, 1), "Disabled");
  // No disabled record at exit: the store goes.
  run->Toggle(1);
  Apply(*run);
  run->Exit(false);
  EXPECT_FALSE(files_.GetAttributes(kStore));
}

}  // namespace
