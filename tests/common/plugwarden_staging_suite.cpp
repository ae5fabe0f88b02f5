#include "tests/common/plugwarden_staging_suite.h"

#include <algorithm>

#include "plugwarden/bho_profiles.h"

using shared::kHkeyClassesRoot;
using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;
using testing_support::ClassKey;
using testing_support::ObjectId;
using testing_support::ObjectKey;
using testing_support::ObjectName;
using Ids = std::vector<std::string>;

void PlugwardenStagingSuite::SetUp() {
  world_ = GetParam()();
  language_ = std::make_unique<shared::LanguagePack>(*world_.profile, *world_.files, *world_.clock,
                                                     world_.targetFolder);
  testing_support::SeedObjects(*world_.registry, world_.module);
  Forget();
}

void PlugwardenStagingSuite::TearDown() {
  testing_support::ClearObjects(*world_.registry);
  Forget();
}

void PlugwardenStagingSuite::Forget() {
  for (const std::string& path : {plugwarden::DisabledStorePath(*world_.windowsFolder),
                                  plugwarden::StartProfilePath(*world_.windowsFolder),
                                  world_.targetFolder + "\\" + plugwarden::kProfilesFileName})
    shared::RemoveFileIfPresent(*world_.files, path).IgnoreError();
  world_.settings->SaveSetting("Plugwarden", "Start", "Check1", "0").IgnoreError();
  shared::RegistryComponent run(*world_.registry);
  run.RootKey = kHkeyCurrentUser;
  run.KeyPath = plugwarden::kRunKeyPath;
  run.ValueName = plugwarden::kRunValueName;
  run.DeleteValue().IgnoreError();
}

std::unique_ptr<testing_support::PlugwardenRun> PlugwardenStagingSuite::StartRun() {
  auto run = std::make_unique<testing_support::PlugwardenRun>(world_, prompt_, *language_);
  start_ = run->Start();
  asked_ = prompt_.Asked().size();
  return run;
}

void PlugwardenStagingSuite::Apply(testing_support::PlugwardenRun& run) {
  asked_ = prompt_.Asked().size();
  prompt_.Script({shared::kAnswerYes});
  run.staging.ApplyClicked();
}

std::vector<std::string> PlugwardenStagingSuite::StoredIds() {
  std::vector<std::string> ids;
  for (const auto& row :
       shared::ReadEntryFile(*world_.files, plugwarden::DisabledStorePath(*world_.windowsFolder)).value_or({}))
    ids.push_back(row[5]);
  return ids;
}

namespace {

std::pair<std::uint32_t, std::string> RunValue(shared::RegistryPort& registry) {
  return testing_support::ReadValue(registry, kHkeyCurrentUser, plugwarden::kRunKeyPath, plugwarden::kRunValueName);
}

TEST_P(PlugwardenStagingSuite, ApplyResetAllExitAndRestartKeepEachRowWithItsObject) {
  auto run = StartRun();
  EXPECT_EQ(start_.message, "");
  const auto atLoad = shared::RowsOf(run->list);
  ASSERT_EQ(atLoad.size(), 4u);
  run->Toggle(1);
  run->MarkRemove(2);
  Apply(*run);
  EXPECT_EQ(ShownTexts(), Ids{plugwarden::kApplyQuestionDefault});
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(1) + "\\InprocServer32")) << "disable leaves the class alone";
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(2)));
  EXPECT_FALSE(There(kHkeyClassesRoot, ClassKey(2)));
  EXPECT_EQ(run->list.Count(), 3) << "the removed row leaves the list";
  EXPECT_EQ(StoredIds(), Ids{ObjectId(1)}) << "written by the apply itself";
  run->Toggle(3);  // its row moved up one place
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(3)));
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(4)));
  EXPECT_EQ(StoredIds(), (Ids{ObjectId(1), ObjectId(3)}));
  Apply(*run);
  EXPECT_EQ(Shown().size(), 1u) << "nothing new staged: the second apply only asks";

  // Reset All: the load-time rows; those disabled since come back with their names.
  run->Toggle(4);  // staged only
  run->staging.ResetAllClicked();
  EXPECT_EQ(shared::RowsOf(run->list), atLoad);
  Apply(*run);
  for (int object : {1, 3}) EXPECT_EQ(NameIn(object), ObjectName(object));
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(4)));
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(2))) << "removed objects are not restored";
  EXPECT_FALSE(There(kHkeyLocalMachine, std::string(plugwarden::kBhoKeyPath) + "\\{KQV-111-222-333-444-555-666}"));
  EXPECT_TRUE(StoredIds().empty());

  run->Toggle(1);
  Apply(*run);
  run->Toggle(3);  // staged, never applied: not kept
  run->Exit(false);
  EXPECT_EQ(world_.settings->GetSetting("Plugwarden", "Start", "Check1"), "0");
  auto next = StartRun();
  ASSERT_EQ(next->list.Count(), 3);
  EXPECT_EQ(next->list.Text(3, 5), ObjectId(1));
  EXPECT_EQ(next->list.Text(3, 1), "Disabled");
  next->Toggle(1);
  Apply(*next);
  EXPECT_EQ(NameIn(1), ObjectName(1));
  next->Exit(false);
  EXPECT_FALSE(shared::FileExists(*world_.files, plugwarden::DisabledStorePath(*world_.windowsFolder)));
}

TEST_P(PlugwardenStagingSuite, StartWithWindowsSavesTheProfileAndAppliesItAtTheNextStart) {
  testing_support::SeedString(*world_.registry, kHkeyCurrentUser, plugwarden::kRunKeyPath, "KQ_BHO", "old");
  auto run = StartRun();
  run->Toggle(1);
  Apply(*run);
  run->MarkRemove(1);  // never applied: the object stays disabled
  const std::string program = world_.targetFolder + "\\plugwarden.exe";
  run->Exit(true, program);
  EXPECT_EQ(world_.settings->GetSetting("Plugwarden", "Start", "Check1"), "1");
  const std::string profile =
      world_.files->ReadFile(plugwarden::StartProfilePath(*world_.windowsFolder)).value_or("");
  EXPECT_EQ(std::count(profile.begin(), profile.end(), '\n'), 18);
  EXPECT_EQ(StoredIds(), Ids{ObjectId(1)}) << "the store keeps what the profile leaves out";
  EXPECT_EQ(RunValue(*world_.registry).second, "\"" + program + "\"") << "quoted, so a path with blanks is one path";

  // The next start shows the profile, not the registry, and applies it: the object re-created
  // meanwhile goes, one added meanwhile is not shown.
  testing_support::SeedString(*world_.registry, kHkeyLocalMachine, ObjectKey(1), "", ObjectName(1));
  auto next = StartRun();
  EXPECT_EQ(start_.message, "");
  ASSERT_EQ(next->list.Count(), 4);
  EXPECT_EQ(next->list.Text(1, 5), ObjectId(2));
  EXPECT_EQ(next->list.Text(4, 1), "Disabled");
  EXPECT_EQ(next->list.Text(4, 5), ObjectId(1));
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1))) << "the box does what its label says";
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(2)));

  // Turning the box off: the profile's disabled rows become the store; the Run value goes.
  next->Exit(false);
  EXPECT_EQ(RunValue(*world_.registry).first, 0u);
  EXPECT_EQ(StoredIds(), Ids{ObjectId(1)});
}

TEST_P(PlugwardenStagingSuite, ProfilesSaveAndLoadBesideTheProgram) {
  plugwarden::BhoProfiles profiles(*world_.files, prompt_, *language_, world_.targetFolder);
  auto run = StartRun();
  run->Toggle(3);
  using Outcome = plugwarden::BhoProfiles::SaveOutcome;
  for (const char* name : {"A", "B"}) EXPECT_EQ(profiles.Save(name, run->list), Outcome::kSaved);
  EXPECT_EQ(profiles.Save("A", run->list), Outcome::kNameExists);
  EXPECT_EQ(profiles.ProfileNames(), (Ids{"A", "B"}));
  run->staging.ResetAllClicked();
  ASSERT_TRUE(profiles.Load(profiles.ProfileNames(), "A", run->staging));
  ASSERT_EQ(run->list.Count(), 4);
  EXPECT_EQ(run->list.Text(3, 1), "Disabled");
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(3)));
  EXPECT_EQ(StoredIds(), Ids{ObjectId(3)});
}

}  // namespace
