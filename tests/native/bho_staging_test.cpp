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

using plugwarden::BhoEntry;
using shared::kHkeyClassesRoot;
using shared::kHkeyLocalMachine;
using testing_support::ClassKey;
using testing_support::ObjectId;
using testing_support::ObjectKey;
using testing_support::ObjectName;
using Texts = std::vector<std::string>;
using Outcome = plugwarden::BhoProfiles::SaveOutcome;

constexpr char kFolder[] = "C:\\Program Files\\Tools";
constexpr char kStore[] = "C:\\Windows\\SaveBHOProf.pro";
constexpr char kProfile[] = "C:\\Windows\\SaveStartBHOProf.pro";
constexpr char kQuestion[] = "Apply now?";
// The pack's trailing blank is trimmed by the lookup.
constexpr char kNoRights[] = "No rights onHKEY_LOCAL_MACHINE ";

BhoEntry Entry(int object, const std::string& status) {
  return {ObjectName(object), status, "", "", "", ObjectId(object)};
}
std::string Denied(const std::string& what, const std::string& key) {
  return what + "\r\nDescribition: " + key + ": Access is denied.";
}

class PlugwardenTest : public PlugwardenStagingSuite {
 protected:
  void SetUp() override {
    PlugwardenStagingSuite::SetUp();
    Files().AddFile(std::string(kFolder) + "\\Lang\\English.ini",
                    "[Vexlin Language Pack]\r\n8513=No profile to load.\r\n8514=Registry write failed.\r\n"
                    "8515=No rights on \r\n8516=Close every browser window first.\r\n"
                    "8517=That name is taken.\r\n8518=Apply now?\r\n8601=Profiles unreadable: \r\n"
                    "8602=Objects not listed: \r\n8603=Disabling failed.\r\n8604=Removal failed.\r\n");
    language_->SetCurrentLanguageFile("English.ini");
  }
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

TEST_P(PlugwardenTest, WithoutRightsEveryChangedRowSaysSoAndNothingChanges) {
  auto first = StartRun();
  first->Toggle(4);
  Apply(*first);
  first->Exit(false);

  auto run = StartRun();  // object 4 from the store
  System().administrator = false;
  run->Toggle(1);
  run->MarkRemove(2);
  run->Toggle(4);  // back to "Enabled"
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
}

TEST_P(PlugwardenTest, NoAnswerOrAnOpenBrowserChangesNothing) {
  auto run = StartRun();
  run->Toggle(1);
  prompt_.Script({shared::kAnswerNo});
  run->staging.ApplyClicked();
  for (const char* window : {"IEFrame", "ExploreWClass"}) {
    System().openClasses = {window};
    Apply(*run);
    EXPECT_EQ(ShownTexts(), (Texts{kQuestion, "Close every browser window first."})) << window;
    EXPECT_EQ(Shown().back().style, 16);
  }
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_FALSE(Files().GetAttributes(kStore));
  run->list.Clear();
  Apply(*run);
  EXPECT_TRUE(Shown().empty()) << "an empty list asks nothing";
}

TEST_P(PlugwardenTest, ReplacedRowsPairWithTheirObjectsAndWhatNamesNoSingleKeyIsRefused) {
  auto run = StartRun();
  const BhoEntry stranger{"Stranger", "Disabled", "", "", "", "{D0000000-0000-4000-8000-000000000001}"};
  testing_support::SeedString(Registry(), kHkeyLocalMachine,
                              std::string(plugwarden::kBhoKeyPath) + "\\" + stranger.Identifier, "", "Stranger");
  run->staging.ReplaceRows({{"Empty", "Remove", "", "", "", ""},
                            {"Parent", "Disabled", "", "", "", "..\\Browser Helper Objects"},
                            {"Dot", "Remove", "", "", "", "."},
                            Entry(4, "Disabled"), Entry(3, "Enabled"), Entry(2, "Disabled"), Entry(1, "Enabled"),
                            stranger});
  Apply(*run);
  const auto shown = ShownTexts();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[1], "Row 1 (\"Empty\") has no usable identifier (\"\"); nothing was changed for it.");
  EXPECT_EQ(shown[2].find("Row 2 (\"Parent\")"), 0u);
  EXPECT_EQ(shown[3].find("Row 3 (\"Dot\")"), 0u);
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(n) + "\\InprocServer32")) << n;
  for (int n : {1, 3}) EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(n))) << n;
  for (int n : {2, 4}) EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(n))) << n;
  EXPECT_FALSE(There(kHkeyLocalMachine, std::string(plugwarden::kBhoKeyPath) + "\\" + stranger.Identifier));
  Apply(*run);
  ASSERT_EQ(Shown().size(), 2u) << "applied once; the Remove rows left, the other refusal stays";
  EXPECT_EQ(ShownTexts()[1].find("Row 1 (\"Parent\")"), 0u);
  run->Exit(false);
  EXPECT_EQ(StoredIds(), (Texts{ObjectId(2), ObjectId(4), stranger.Identifier}));
  run->staging.ResetAllClicked();
  EXPECT_EQ(run->list.Count(), 4) << "Reset All shows the load-time rows only";
}

TEST_P(PlugwardenTest, RowsOfAListEmptyAtLoadAreAppliedByTheirStatus) {
  testing_support::ClearObjects(Registry());
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 0);
  testing_support::SeedObjects(Registry(), world_.module);
  testing_support::DeleteTree(Registry(), kHkeyLocalMachine, ObjectKey(2));
  run->staging.ReplaceRows({Entry(1, "Disabled"), Entry(2, "Enabled"), Entry(3, "ERROR")});
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_EQ(NameIn(2), ObjectName(2));
  EXPECT_EQ(StoredIds(), Texts{ObjectId(1)});
}

TEST_P(PlugwardenTest, StartFailuresAreCollectedAndExitFailuresShown) {
  world_.settings->SaveSetting("Plugwarden", "Start", "Check1", "1").IgnoreError();
  Files().AddFile(kProfile, shared::FormatEntryFile({{"Bad", "Disabled", "", "", "", ""},
                                                    shared::ToRow(Entry(1, "Disabled")),
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
}

TEST_P(PlugwardenTest, ProfilesAreAppendedAndListedPerRun) {
  plugwarden::BhoProfiles profiles(Files(), prompt_, *language_, kFolder);
  EXPECT_EQ(plugwarden::BhoProfiles::TypedCharacter('a'), 'A');
  EXPECT_EQ(plugwarden::BhoProfiles::TypedCharacter('7'), '7');
  auto run = StartRun();
  EXPECT_FALSE(profiles.Load(profiles.ProfileNames(), "", run->staging));
  EXPECT_EQ(ShownTexts(), Texts{"No profile to load."});

  const auto save = [&](const std::string& name, std::initializer_list<int> objects) {
    shared::ListModel rows;
    for (int object : objects) shared::AppendRow(rows, run->list.RowAt(run->PositionOf(object)));
    return profiles.Save(name, rows);
  };
  EXPECT_EQ(save("", {1}), Outcome::kNothing);
  EXPECT_EQ(save("EMPTY", {}), Outcome::kSaved);
  EXPECT_EQ(save("A", {1}), Outcome::kSaved);
  const std::string afterFirst = Files().ReadFile(profiles.FilePath()).value_or("");
  EXPECT_EQ(afterFirst, "A\r\n" + ObjectName(1) + "\r\nEnabled\r\n" + run->list.Text(1, 2) + "\r\n\r\n" + world_.module +
                            "\r\n" + ObjectId(1) + "\r\n");
  EXPECT_EQ(save("A", {2}), Outcome::kNameExists);
  EXPECT_EQ(prompt_.Asked().back().text, "That name is taken.");
  EXPECT_EQ(prompt_.Asked().back().style, 0);
  EXPECT_EQ(Files().ReadFile(profiles.FilePath()).value_or(""), afterFirst);
  EXPECT_FALSE(profiles.IsNameExist("a")) << "names compare exactly";

  // A, A, B, A in the file: the list shows A, B, A and A loads all three A records.
  Files().AppendFile(profiles.FilePath(), "A\r\n" + ObjectName(2) + "\r\nDisabled\r\n\r\n\r\n\r\n" + ObjectId(2))
      .IgnoreError();  // no line end at the end of the file
  EXPECT_EQ(save("B", {3}), Outcome::kSaved);
  Files().AppendFile(profiles.FilePath(), "A\r\n" + ObjectName(4) + "\r\nRemove\r\n\r\n\r\n\r\n" + ObjectId(4) + "\r\n")
      .IgnoreError();
  const auto names = profiles.ProfileNames();
  EXPECT_EQ(names, (Texts{"A", "B", "A"}));
  EXPECT_TRUE(profiles.Load(names, "A", run->staging));
  ASSERT_EQ(run->list.Count(), 3);
  EXPECT_EQ(run->list.Text(2, 1), "Disabled");
  EXPECT_EQ(run->list.Text(3, 1), "Remove");
  EXPECT_EQ(run->list.Text(3, 5), ObjectId(4));
  EXPECT_EQ(run->staging.AppliedEntries().size(), 4u) << "tables untouched";

  // A file that cannot be written: the reason, the file as it was, the dialog open.
  const std::string before = Files().ReadFile(profiles.FilePath()).value_or("");
  Files().FailWrites(true);
  EXPECT_EQ(save("C", {1}), Outcome::kFailed);
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
  plugwarden::BhoProfiles profiles(Files(), prompt_, *language_, kFolder);
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
