#include "tests/common/plugwarden_staging_suite.h"

#include <algorithm>

#include "plugwarden/bho_profiles.h"
#include "shared/registry_tree.h"

using shared::kHkeyClassesRoot;
using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;
using shared::RegView;
using testing_support::ClassKey;
using testing_support::ObjectId;
using testing_support::ObjectKey;
using testing_support::ObjectName;
using Ids = std::vector<std::string>;
using Outcome = plugwarden::BhoProfiles::SaveOutcome;

static constexpr char kPack[] =
    "[Vexlin Language Pack]\r\n8513=No profile to load.\r\n8514=Registry write failed.\r\n8515=No rights on \r\n"
    "8516=Close every browser window first.\r\n8517=That name is taken.\r\n8518=Apply now?\r\n"
    "8601=Profiles unreadable: \r\n8602=Objects not listed: \r\n8603=Disabling failed.\r\n8604=Removal failed.\r\n";

void PlugwardenStagingSuite::SetUp() {
  world_ = GetParam()();
  const std::string lang = world_.targetFolder + "\\Lang";
  world_.files->CreateFolder(lang).IgnoreError();  // there from an earlier test
  ASSERT_TRUE(world_.files->WriteFileAtomic(lang + "\\English.ini", kPack).ok());
  language_ = std::make_unique<shared::LanguagePack>(*world_.profile, *world_.files, *world_.clock,
                                                     world_.targetFolder);
  language_->SetCurrentLanguageFile("English.ini");
  testing_support::SeedObjects(*world_.registry, world_.module);
  Forget();
}

void PlugwardenStagingSuite::Forget() {
  for (const std::string& path : {plugwarden::DisabledStorePath(*world_.windowsFolder),
                                  plugwarden::StartProfilePath(*world_.windowsFolder),
                                  world_.targetFolder + "\\" + plugwarden::kProfilesFileName})
    shared::RemoveFileIfPresent(*world_.files, path).IgnoreError();
  world_.settings->SaveSetting("Plugwarden", "Start", "Check1", "0").IgnoreError();
  testing_support::DeleteTree(*world_.registry, kHkeyCurrentUser, plugwarden::kRunKeyPath);  // as the start-up suites do
}

std::unique_ptr<testing_support::PlugwardenRun> PlugwardenStagingSuite::StartRun() {
  auto run = std::make_unique<testing_support::PlugwardenRun>(world_, prompt_, *language_);
  start_ = run->Start();
  asked_ = prompt_.Asked().size();
  return run;
}

std::vector<std::string> PlugwardenStagingSuite::StoredIds() {
  std::vector<std::string> ids;
  for (const auto& row :
       shared::ReadEntryFile(*world_.files, plugwarden::DisabledStorePath(*world_.windowsFolder)).value_or({}))
    ids.push_back(row[5]);
  return ids;
}

std::string PlugwardenStagingSuite::Present(RegView view) {
  const auto there = [&](shared::RegRoot root, const std::string& path) {
    return testing_support::KeyThere(*world_.registry, root, path, view);
  };
  std::string present;
  for (int n = 1; n <= 4; ++n) {
    // Appended piece by piece: a literal plus a temporary string trips GCC 12's -Wrestrict.
    present.append(n > 1 ? " " : "").append(std::to_string(n));
    present.append(there(kHkeyLocalMachine, ObjectKey(n)) ? "k" : "").append(there(kHkeyClassesRoot, ClassKey(n)) ? "c" : "");
    present.append(there(kHkeyClassesRoot, ClassKey(n) + "\\InprocServer32") ? "s" : "");
  }
  return present;
}

namespace {

constexpr char kQuestion[] = "Apply now?";

plugwarden::BhoEntry Entry(int object, const std::string& status) {
  return {ObjectName(object), status, "", "", "", ObjectId(object)};
}

// Each row as "<identifier, an object's cut to its number>:<status>".
std::string Listed(const testing_support::PlugwardenRun& run) {
  std::string listed;
  for (int row = 1; row <= run.list.Count(); ++row) {
    std::string id = run.list.Text(row, 5);
    if (const auto at = id.find("{C000000"); at != std::string::npos && id.size() == at + ObjectId(1).size())
      id = id.substr(0, at) + id[at + 8];
    listed += (row > 1 ? " " : "") + id + ":" + run.list.Text(row, 1);
  }
  return listed;
}

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
  EXPECT_EQ(ShownTexts(), Ids{kQuestion});
  EXPECT_EQ(Present(), "1cs 2 3kcs 4kcs") << "disable leaves the class alone";
  EXPECT_EQ(Listed(*run), "1:Disabled 3:Enabled 4:Enabled") << "the removed row leaves the list";
  EXPECT_EQ(StoredIds(), Ids{ObjectId(1)}) << "written by the apply itself";
  run->Toggle(3);  // its row moved up one place
  Apply(*run);
  EXPECT_EQ(Present(), "1cs 2 3cs 4kcs");
  EXPECT_EQ(StoredIds(), (Ids{ObjectId(1), ObjectId(3)}));
  Apply(*run);
  EXPECT_EQ(Shown().size(), 1u) << "nothing new staged: the second apply only asks";

  // Reset All: the load-time rows; those disabled since come back with their names.
  run->Toggle(4);  // staged only
  run->staging.ResetAllClicked();
  EXPECT_EQ(shared::RowsOf(run->list), atLoad);
  Apply(*run);
  for (int object : {1, 3}) EXPECT_EQ(NameIn(object), ObjectName(object));
  EXPECT_EQ(Present(), "1kcs 2 3kcs 4kcs") << "removed objects are not restored";
  EXPECT_FALSE(There(kHkeyLocalMachine, std::string(plugwarden::kBhoKeyPath) + "\\{KQV-111-222-333-444-555-666}"));
  EXPECT_TRUE(StoredIds().empty());

  run->Toggle(1);
  Apply(*run);
  run->Toggle(3);  // staged, never applied: not kept
  run->Exit(false);
  // The box's setting is MainWindowTest's; the name enabled back, the kept-copies cycle's.
  auto next = StartRun();
  EXPECT_EQ(Listed(*next), "3:Enabled 4:Enabled 1:Disabled");
  next->Toggle(1);
  Apply(*next);
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
  const std::string profile = world_.files->ReadFile(plugwarden::StartProfilePath(*world_.windowsFolder)).value_or("");
  EXPECT_EQ(std::count(profile.begin(), profile.end(), '\n'), 18);
  EXPECT_EQ(StoredIds(), Ids{ObjectId(1)}) << "the store keeps what the profile leaves out";
  EXPECT_EQ(RunValue(*world_.registry).second, "\"" + program + "\"") << "quoted, so a path with blanks is one path";

  // The next start shows the profile, not the registry, and applies it: the object re-created
  // meanwhile goes, one added meanwhile is not shown.
  testing_support::SeedString(*world_.registry, kHkeyLocalMachine, ObjectKey(1), "", ObjectName(1));
  auto next = StartRun();
  EXPECT_EQ(start_.message, "");
  EXPECT_EQ(Listed(*next), "2:Enabled 3:Enabled 4:Enabled 1:Disabled");
  EXPECT_EQ(Present(), "1cs 2kcs 3kcs 4kcs") << "the box does what its label says";

  // Turning the box off: the profile's disabled rows become the store; the Run value goes.
  next->Exit(false);
  EXPECT_EQ(RunValue(*world_.registry).first, 0u);
  EXPECT_EQ(StoredIds(), Ids{ObjectId(1)});
}

TEST_P(PlugwardenStagingSuite, ReplacedRowsPairWithTheirObjectsAndWhatNamesNoSingleKeyIsRefused) {
  auto run = StartRun();
  const plugwarden::BhoEntry stranger{"Stranger", "Disabled", "", "", "", "{D0000000-0000-4000-8000-000000000001}"};
  testing_support::SeedString(*world_.registry, kHkeyLocalMachine,
                              std::string(plugwarden::kBhoKeyPath) + "\\" + stranger.Identifier, "", "Stranger");
  run->staging.ReplaceRows({{"Empty", "Remove", "", "", "", ""},
                            {"Parent", "Disabled", "", "", "", "..\\Browser Helper Objects"},
                            {"Dot", "Remove", "", "", "", "."},
                            Entry(4, "Disabled"), Entry(3, "Enabled"), Entry(2, "Disabled"), Entry(1, "Enabled"),
                            stranger});
  Apply(*run);
  auto shown = ShownTexts();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[1], "Row 1 (\"Empty\") has no usable identifier (\"\"); nothing was changed for it.");
  EXPECT_EQ(shown[2].find("Row 2 (\"Parent\")"), 0u);
  EXPECT_EQ(shown[3].find("Row 3 (\"Dot\")"), 0u);
  EXPECT_EQ(Present(), "1kcs 2cs 3kcs 4cs");
  EXPECT_FALSE(There(kHkeyLocalMachine, std::string(plugwarden::kBhoKeyPath) + "\\" + stranger.Identifier));
  Apply(*run);
  shown = ShownTexts();
  ASSERT_EQ(shown.size(), 2u) << "applied once; the Remove rows left, the other refusal stays";
  EXPECT_EQ(shown[1].find("Row 1 (\"Parent\")"), 0u);
  run->Exit(false);
  EXPECT_EQ(StoredIds(), (Ids{ObjectId(2), ObjectId(4), stranger.Identifier}));
  run->staging.ResetAllClicked();
  EXPECT_EQ(run->list.Count(), 4) << "Reset All shows the load-time rows only";
}

TEST_P(PlugwardenStagingSuite, RowsOfAListEmptyAtLoadAreAppliedByTheirStatus) {
  testing_support::ClearObjects(*world_.registry);
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 0);
  testing_support::SeedObjects(*world_.registry, world_.module);
  testing_support::DeleteTree(*world_.registry, kHkeyLocalMachine, ObjectKey(2));
  run->staging.ReplaceRows({Entry(1, "Disabled"), Entry(2, "Enabled"), Entry(3, "ERROR")});
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_EQ(NameIn(2), ObjectName(2));
  EXPECT_EQ(StoredIds(), Ids{ObjectId(1)});
}

TEST_P(PlugwardenStagingSuite, ProfilesAreAppendedListedAndLoadedByName) {
  plugwarden::BhoProfiles profiles(*world_.files, prompt_, *language_, world_.targetFolder);
  EXPECT_EQ(plugwarden::BhoProfiles::TypedCharacter('7'), '7');
  auto run = StartRun();
  EXPECT_FALSE(profiles.Load(profiles.ProfileNames(), "", run->staging));
  EXPECT_EQ(ShownTexts(), Ids{"No profile to load."});

  const auto save = [&](const std::string& name, std::initializer_list<int> objects) {
    shared::ListModel rows;
    for (int object : objects) shared::AppendRow(rows, run->list.RowAt(run->PositionOf(object)));
    return profiles.Save(name, rows);
  };
  EXPECT_EQ(save("", {1}), Outcome::kNothing);
  EXPECT_EQ(save("EMPTY", {}), Outcome::kSaved);
  EXPECT_EQ(save("A", {1}), Outcome::kSaved);
  const std::string afterFirst = world_.files->ReadFile(profiles.FilePath()).value_or("");
  EXPECT_EQ(afterFirst, "A\r\n" + ObjectName(1) + "\r\nEnabled\r\n" + run->list.Text(1, 2) + "\r\n\r\n" +
                            world_.module + "\r\n" + ObjectId(1) + "\r\n");
  EXPECT_EQ(save("A", {2}), Outcome::kNameExists);
  EXPECT_EQ(prompt_.Asked().back().text, "That name is taken.");
  EXPECT_EQ(prompt_.Asked().back().style, 0);
  EXPECT_EQ(world_.files->ReadFile(profiles.FilePath()).value_or(""), afterFirst);
  EXPECT_FALSE(profiles.IsNameExist("a")) << "names compare exactly";

  // A, A, B, A in the file: the list shows A, B, A and A loads all three A records.
  world_.files->AppendFile(profiles.FilePath(), "A\r\n" + ObjectName(2) + "\r\nDisabled\r\n\r\n\r\n\r\n" + ObjectId(2))
      .IgnoreError();  // no line end at the end of the file
  EXPECT_EQ(save("B", {3}), Outcome::kSaved);
  world_.files
      ->AppendFile(profiles.FilePath(), "A\r\n" + ObjectName(4) + "\r\nRemove\r\n\r\n\r\n\r\n" + ObjectId(4) + "\r\n")
      .IgnoreError();
  const auto names = profiles.ProfileNames();
  EXPECT_EQ(names, (Ids{"A", "B", "A"}));
  EXPECT_TRUE(profiles.Load(names, "A", run->staging));
  EXPECT_EQ(Listed(*run), "1:Enabled 2:Disabled 4:Remove");
  EXPECT_EQ(run->staging.AppliedEntries().size(), 4u) << "tables untouched";
  Apply(*run);
  EXPECT_EQ(Present(), "1kcs 2cs 3kcs 4");
  EXPECT_EQ(StoredIds(), Ids{ObjectId(2)});
}

// Object 1's class also registered in the 32-bit view, with a value and a subkey of its own.
TEST_P(PlugwardenStagingSuite, AnObjectOfThe32BitViewIsListedAppliedStoredAndRestoredInThatView) {
  const std::string id = plugwarden::kView32Marker + ObjectId(1);
  testing_support::SeedString(*world_.registry, kHkeyLocalMachine, ObjectKey(1), "", "Object 1 x86", RegView::k32);
  testing_support::SeedValue(*world_.registry, kHkeyLocalMachine, ObjectKey(1), "NoExplorer", "\x01\0\0\0",
                             shared::kRegDword, RegView::k32);
  testing_support::SeedString(*world_.registry, kHkeyLocalMachine, ObjectKey(1) + "\\Settings", "Mode", "x86", RegView::k32);
  testing_support::SeedString(*world_.registry, kHkeyClassesRoot, ClassKey(1) + "\\InprocServer32", "", world_.module,
                              RegView::k32);
  const auto kept = shared::ReadRegistryTree(*world_.registry, kHkeyLocalMachine, ObjectKey(1), RegView::k32);
  ASSERT_TRUE(kept.ok());
  const std::string all = "1kcs 2kcs 3kcs 4kcs";

  auto run = StartRun();
  EXPECT_EQ(Listed(*run), "1:Enabled 2:Enabled 3:Enabled 4:Enabled Wow6432Node\\1:Enabled") << "the native rows first";
  EXPECT_EQ(shared::RowsOf(run->list).back(),
            (shared::ListModel::Row{"Object 1 x86", "Enabled", run->list.Text(1, 2), run->list.Text(1, 3), world_.module, id}));
  run->Toggle(id);
  Apply(*run);
  EXPECT_EQ(Present(RegView::k32), "1cs 2 3 4");
  EXPECT_EQ(NameIn(1), ObjectName(1)) << "the native object of the same class stays";
  EXPECT_EQ(Present(), all);
  EXPECT_EQ(StoredIds(), Ids{id});

  // A restart through the store; Enable writes the key back whole, in its view only.
  run->Exit(false);
  auto next = StartRun();
  EXPECT_EQ(Listed(*next), "1:Enabled 2:Enabled 3:Enabled 4:Enabled Wow6432Node\\1:Disabled");
  next->Toggle(id);
  Apply(*next);
  EXPECT_EQ(shared::ReadRegistryTree(*world_.registry, kHkeyLocalMachine, ObjectKey(1), RegView::k32).value_or({}),
            kept.value());
  EXPECT_EQ(shared::ReadRegistryTree(*world_.registry, kHkeyLocalMachine, ObjectKey(1)).value_or({}).size(), 1u);

  // The start-up profile applies it in its view: the key written again meanwhile goes.
  next->Toggle(id);
  Apply(*next);
  next->Exit(true);
  testing_support::SeedString(*world_.registry, kHkeyLocalMachine, ObjectKey(1), "", "Object 1 x86", RegView::k32);
  auto third = StartRun();
  EXPECT_EQ(start_.message, "");
  EXPECT_EQ(Present(RegView::k32), "1cs 2 3 4");
  EXPECT_EQ(NameIn(1), ObjectName(1));

  // Remove takes the object and its class from that view only.
  third->Toggle(id);
  Apply(*third);
  EXPECT_EQ(Present(RegView::k32), "1kcs 2 3 4");
  third->MarkRemove(id);
  Apply(*third);
  EXPECT_EQ(Present(RegView::k32), "1 2 3 4");
  EXPECT_EQ(Present(), all);
  for (const char* unsafe : {"Wow6432Node\\", "wow6432node\\..", "Wow6432Node\\a\\b"})
    EXPECT_FALSE(plugwarden::IsSafeIdentifier(unsafe)) << unsafe;
  third->Exit(false);
}

}  // namespace
