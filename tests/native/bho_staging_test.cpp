// Staging, apply, the store and the start/exit sequences against the fakes, with the failures
// only the fakes can stage.
#include <gtest/gtest.h>

#include "plugwarden/bho_profiles.h"
#include "tests/common/plugwarden_staging_suite.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_system.h"

namespace {

INSTANTIATE_TEST_SUITE_P(Fake, PlugwardenStagingSuite, ::testing::Values(StartupMachineFactory(testing_support::FakeStartupMachine)));

using shared::kHkeyClassesRoot;
using shared::kHkeyLocalMachine;
using testing_support::ClassKey;
using testing_support::ObjectId;
using testing_support::ObjectKey;
using testing_support::ObjectName;
using Texts = std::vector<std::string>;

constexpr char kProfile[] = "C:\\Windows\\SaveStartBHOProf.pro";
constexpr char kQuestion[] = "Apply now?";
// The pack's trailing blank is trimmed by the lookup.
constexpr char kNoRights[] = "No rights onHKEY_LOCAL_MACHINE ";

std::string Denied(const std::string& what, const std::string& key) {
  return what + "\r\nDescribition: " + key + ": Access is denied.";
}

class PlugwardenTest : public PlugwardenStagingSuite {
 protected:
  fakes::FakeRegistry& Registry() { return static_cast<fakes::FakeRegistry&>(*world_.registry); }
  fakes::FakeFileSystem& Files() { return static_cast<fakes::FakeFileSystem&>(*world_.files); }
  fakes::FakeSystem& System() { return static_cast<fakes::FakeSystem&>(*world_.system); }
};

INSTANTIATE_TEST_SUITE_P(Fake, PlugwardenTest, ::testing::Values(StartupMachineFactory(testing_support::FakeStartupMachine)));

TEST_P(PlugwardenTest, FailedChangesAreReportedKeptAndTriedAgain) {
  // A class key with deeper subkeys stays: only its direct subkeys go, and the removal says so.
  testing_support::SeedKey(Registry(), kHkeyClassesRoot, ClassKey(3) + "\\Implemented Categories\\{X}");
  Registry().DenyWrites(kHkeyLocalMachine, ObjectKey(1));
  auto run = StartRun();
  run->Toggle(1);
  run->Toggle(2);
  run->MarkRemove(3);
  Apply(*run);
  const std::string machine = "HKEY_LOCAL_MACHINE\\";
  EXPECT_EQ(ShownTexts(), (Texts{kQuestion, Denied("Disabling failed.", machine + ObjectKey(1)),
                                 Denied("Removal failed.", "HKEY_CLASSES_ROOT\\" + ClassKey(3))}));
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(3)));
  EXPECT_FALSE(There(kHkeyClassesRoot, ClassKey(3) + "\\InprocServer32"));
  EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(3) + "\\Implemented Categories\\{X}"));
  EXPECT_EQ(run->list.Count(), 3);
  EXPECT_EQ(StoredIds(), Texts{ObjectId(2)}) << "the store says what came out";

  // The failed one is tried again; a key that cannot be created again keeps its record "Disabled".
  Registry().DenyWrites(kHkeyLocalMachine, ObjectKey(2));
  run->Toggle(2);
  Apply(*run);
  EXPECT_EQ(ShownTexts(), (Texts{kQuestion, Denied("Disabling failed.", machine + ObjectKey(1)),
                                 Denied("Registry write failed.", machine + ObjectKey(2))}));
  EXPECT_EQ(run->staging.AppliedEntries()[0].Status, "Enabled");
  EXPECT_EQ(run->staging.AppliedEntries()[1].Status, "Disabled");
  EXPECT_EQ(StoredIds(), Texts{ObjectId(2)});
}

TEST_P(PlugwardenTest, NoAnswerAnOpenBrowserOrNoRightsChangeNothing) {
  auto first = StartRun();
  first->Toggle(4);
  Apply(*first);
  first->Exit(false);

  auto run = StartRun();  // object 4 from the store
  run->Toggle(1);
  run->MarkRemove(2);
  run->Toggle(4);  // back to "Enabled"
  prompt_.Script({shared::kAnswerNo});
  run->staging.ApplyClicked();
  for (const char* window : {"IEFrame", "ExploreWClass"}) {
    System().openClasses = {window};
    Apply(*run);
    EXPECT_EQ(ShownTexts(), (Texts{kQuestion, "Close every browser window first."})) << window;
    EXPECT_EQ(Shown().back().style, 16);
  }
  EXPECT_EQ(StoredIds(), Texts{ObjectId(4)}) << "the store as it was";

  // Without rights every changed row says so.
  System().openClasses = {};
  System().administrator = false;
  Apply(*run);
  const auto shown = Shown();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(ShownTexts(), (Texts{kQuestion, kNoRights, kNoRights, kNoRights}));
  EXPECT_EQ(shown[1].style, 0);
  EXPECT_EQ(shown[1].title, "Plugwarden");
  EXPECT_EQ(shown[2].style, 0);
  EXPECT_EQ(shown[3].style, 16) << "the name write's own check";
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(2)));
  EXPECT_EQ(run->list.Count(), 3) << "the Remove row leaves anyway";
  EXPECT_EQ(run->staging.AppliedEntries()[3].Status, "Disabled") << "a failed change keeps its record";
  EXPECT_EQ(StoredIds(), Texts{ObjectId(4)});
  run->staging.ResetAllClicked();
  EXPECT_EQ(run->list.Text(2, 5), ObjectId(2));
  run->list.Clear();
  Apply(*run);
  EXPECT_TRUE(Shown().empty()) << "an empty list asks nothing";
}

TEST_P(PlugwardenTest, StartFailuresAreCollectedAndWriteFailuresShownWithTheOldFileKept) {
  world_.settings->SaveSetting("Plugwarden", "Start", "Check1", "1").IgnoreError();
  Files().AddFile(kProfile, shared::FormatEntryFile({{"Bad", "Disabled", "", "", "", ""},
                                                    {ObjectName(1), "Disabled", "", "", "", ObjectId(1)},
                                                    {"Short", "Enabled"}}));
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 3) << "a short last row keeps what it has";
  EXPECT_EQ(prompt_.Asked().size(), 0u) << "nothing shown before the window is up";
  EXPECT_NE(start_.message.find("Row 1 (\"Bad\")"), std::string::npos);
  EXPECT_NE(start_.message.find("Row 3 (\"Short\")"), std::string::npos);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));

  // A profile that cannot be written keeps the store, and says so.
  Files().FailWrites(true);
  run->Exit(true);
  ASSERT_EQ(prompt_.Asked().size(), 2u) << "the profile, then the store";
  EXPECT_EQ(prompt_.Asked()[0].text.find("The start-up profile could not be saved"), 0u);
  // The refused row keeps its stored status: it is input, not ours to drop.
  const Texts stored{"", ObjectId(1)};
  EXPECT_EQ(StoredIds(), stored);
  run->Exit(false);
  ASSERT_EQ(prompt_.Asked().size(), 3u);
  EXPECT_EQ(StoredIds(), stored) << "the old store stays";

  // So does a profiles file: the reason is shown, the file stays as it was.
  plugwarden::BhoProfiles profiles(Files(), prompt_, *language_, world_.targetFolder);
  const std::string before = "A\r\n" + ObjectName(1) + "\r\nEnabled\r\n\r\n\r\n\r\n" + ObjectId(1) + "\r\n";
  Files().AddFile(profiles.FilePath(), before);
  EXPECT_EQ(profiles.Save("C", run->list), plugwarden::BhoProfiles::SaveOutcome::kFailed);
  EXPECT_NE(prompt_.Asked().back().text.find("Access is denied."), std::string::npos);
  EXPECT_EQ(Files().ReadFile(profiles.FilePath()).value_or(""), before);
}

TEST_P(PlugwardenTest, WhatCannotBeReadIsSaidNotTakenForNothing) {
  // A Browser Helper Objects key that cannot be listed: no rows, and the start says why.
  Registry().DenyListing(kHkeyLocalMachine, plugwarden::kBhoKeyPath);
  auto run = StartRun();
  EXPECT_EQ(run->list.Count(), 0);
  EXPECT_EQ(start_.message.find("Objects not listed:HKEY_LOCAL_MACHINE\\SOFTWARE\\"), 0u) << start_.message;
  EXPECT_NE(start_.message.find("Access is denied."), std::string::npos);

  // A profiles file another program holds open is not "No profile to load.".
  plugwarden::BhoProfiles profiles(Files(), prompt_, *language_, world_.targetFolder);
  Files().AddFile(profiles.FilePath(), "A\r\n" + ObjectName(1) + "\r\nEnabled\r\n\r\n\r\n\r\n" + ObjectId(1) + "\r\n");
  Files().LockFile(profiles.FilePath());
  EXPECT_TRUE(profiles.ProfileNames().empty());
  EXPECT_FALSE(profiles.Load({}, "", run->staging));
  ASSERT_EQ(Shown().size(), 2u);
  for (const auto& text : ShownTexts()) {
    EXPECT_EQ(text.find("Profiles unreadable:C:\\Program Files\\Tools\\BHO_Config.ini"), 0u) << text;
    EXPECT_NE(text.find("used by another process"), std::string::npos);
  }
}

}  // namespace
