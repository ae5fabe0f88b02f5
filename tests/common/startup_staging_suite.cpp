#include "tests/common/startup_staging_suite.h"

#include <set>

#include "tests/common/registry_seed.h"

using bootwarden::StartupEntry;
using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;
using testing_support::BootwardenRun;
using testing_support::RowsOf;

namespace {

constexpr char kUserRun[] = "Registry(User Run)";
constexpr char kMachineRun[] = "Registry(Machine Run)";
constexpr char kMachineRunOnce[] = "Registry(Machine RunOnce)";
constexpr char kUserStartup[] = "StartUp (Current User)";
constexpr char kCommonStartup[] = "StartUp (All Users)";
constexpr char kWinLoad[] = "Win.ini Load";

std::string RunKey(const char* key) { return bootwarden::kRunKeyBase + std::string(key); }

// The rows again, as a loaded profile gives them: the named tasks with another status.
void Restage(BootwardenRun& run, const std::set<std::string>& tasks, const char* status, bool reversed = false) {
  auto rows = shared::FromRows<StartupEntry>(RowsOf(run.list));
  if (reversed) std::reverse(rows.begin(), rows.end());
  for (auto& row : rows) row.Status = tasks.count(row.TaskName) ? status : row.Status;
  run.staging.ReplaceRows(rows);
}

}  // namespace

void StartupStagingSuite::SetUp() {
  machine_ = GetParam()();
  testing_support::SeedStartupScenario(machine_);
  machine_.files->RemoveFile(StorePath()).IgnoreError();
}

void StartupStagingSuite::TearDown() {
  testing_support::ClearStartupLocations(machine_);
  machine_.files->RemoveFile(StorePath()).IgnoreError();
}

TEST_P(StartupStagingSuite, ARemovedEntryIsNowhereAndTheRowsAfterItKeepTheirRecords) {
  auto run = StartRun();
  const int count = run->list.Count();
  run->Toggle(run->PositionOf(kMachineRun, "Shared Name"));
  run->staging.ApplyNow();
  ASSERT_EQ(Stored().size(), 1u);
  run->MarkRemove(run->PositionOf(kMachineRun, "Shared Name"));
  run->staging.ApplyNow();
  EXPECT_EQ(run->PositionOf(kMachineRun, "Shared Name"), 0);
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("Run"), "Shared Name").first, 0u);
  EXPECT_FALSE(shared::FileExists(*machine_.files, StorePath()));
  ASSERT_EQ(run->staging.SnapshotCount(), count - 1);
  const auto afterApply = RowsOf(run->list);
  run->staging.ResetAllClicked();
  EXPECT_EQ(RowsOf(run->list), afterApply);
  run->staging.ApplyNow();  // nothing is staged: nothing may change
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("RunOnce"), "Finish Setup").second, "C:\\Setup\\finish.exe -quiet");
  EXPECT_EQ(WinIni("Run"), "first.exe second.exe");
  EXPECT_EQ(RowsOf(run->list), afterApply);
  ASSERT_TRUE(run->Exit().ok());
  EXPECT_FALSE(shared::FileExists(*machine_.files, StorePath()));
}

TEST_P(StartupStagingSuite, AddedRowsJoinTheSnapshotWhenWritten) {
  auto run = StartRun();
  const int count = run->list.Count();
  for (const std::string status : {"Enabled", "Disabled", "Remove"})
    shared::AppendRow(run->list, {"Added " + status, status, kUserRun, "Current User", "Current User Logs on", "C:\\added.exe"});
  run->staging.ApplyNow();
  EXPECT_EQ(Value(kHkeyCurrentUser, RunKey("Run"), "Added Enabled").second, "C:\\added.exe");
  EXPECT_EQ(Value(kHkeyCurrentUser, RunKey("Run"), "Added Disabled").first, 0u);
  EXPECT_EQ(run->staging.SnapshotCount(), count + 1);
  EXPECT_EQ(run->list.Count(), count + 2);
  EXPECT_EQ(Stored().size(), 1u);  // the unapplied "Disabled" row
}

TEST_P(StartupStagingSuite, PuttingBackOverADifferentEntryOfThatNameAsksFirst) {
  auto run = StartRun();
  const std::string link = testing_support::StartupFolder(machine_, shared::kCsidlStartup) + "\\Tool.lnk";
  const std::vector<std::pair<std::string, std::string>> picked = {
      {kUserRun, "Shared Name"}, {kWinLoad, kWinLoad}, {kUserStartup, "Tool"}};
  for (const auto& [from, name] : picked) run->Toggle(run->PositionOf(from, name));
  run->staging.ApplyNow();
  // Meanwhile other entries took two of the names; win.ini got back the very same value.
  testing_support::SeedString(*machine_.registry, kHkeyCurrentUser, RunKey("Run"), "Shared Name", "C:\\newer.exe");
  ASSERT_TRUE(machine_.shortcuts->WriteShortcut(link, machine_.targetFolder + "\\tool.exe", "/newer").ok());
  ASSERT_TRUE(machine_.profile->WriteString("Windows", "Load", "loader.exe", testing_support::WinIniPath(machine_)).ok());
  for (const auto& [from, name] : picked) run->Toggle(run->PositionOf(from, name));
  // An added win.ini task is asked about too: the key's value is one row, emptied whole.
  shared::AppendRow(run->list, {"Win.ini Run", "Enabled", "Win.ini Run", "All Users", "logging on", "added.exe"});
  prompt_.Script({shared::kAnswerNo, shared::kAnswerYes, shared::kAnswerNo});
  run->staging.ApplyNow();

  ASSERT_EQ(prompt_.Asked().size(), 3u);
  EXPECT_NE(prompt_.Asked()[0].text.find("There now: C:\\newer.exe"), std::string::npos) << prompt_.Asked()[0].text;
  EXPECT_EQ(prompt_.Asked()[0].style, 292) << "Yes and No, No the default";
  EXPECT_EQ(Value(kHkeyCurrentUser, RunKey("Run"), "Shared Name").second, "C:\\newer.exe");
  EXPECT_EQ(run->list.Text(run->PositionOf(kUserRun, "Shared Name"), StartupEntry::kStatus), "Disabled");
  EXPECT_EQ(machine_.shortcuts->ReadArguments(link), "");
  EXPECT_EQ(WinIni("Load"), "loader.exe");
  EXPECT_EQ(WinIni("Run"), "first.exe second.exe");
  const auto stored = Stored();
  ASSERT_EQ(stored.size(), 2u);
  EXPECT_EQ(stored[0].TaskName, "Shared Name");
  EXPECT_EQ(stored[1].Location, "added.exe");
  run->staging.ResetAllClicked();  // the added entry kept "Disabled" is applied state now
  EXPECT_EQ(run->staging.DisabledEntries().size(), 2u);
}

TEST_P(StartupStagingSuite, EveryDisabledEntryIsStoredWhateverTheOrderOrWhetherApplied) {
  auto run = StartRun();
  run->Toggle(run->PositionOf(kWinLoad, kWinLoad));
  run->Toggle(run->PositionOf(kMachineRun, "Expand Path"));
  run->staging.ApplyNow();
  ASSERT_EQ(Stored().size(), 2u);

  // The same rows reversed, the win.ini entry staged back to "Enabled".
  Restage(*run, {kWinLoad}, "Enabled", true);
  run->staging.ApplyNow();
  EXPECT_EQ(WinIni("Load"), "loader.exe");
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("Run"), "Expand Path").first, 0u);
  run->Toggle(run->PositionOf(kUserStartup, "Tool"));  // never applied
  ASSERT_TRUE(run->Exit().ok());
  std::vector<std::string> stored;
  for (const auto& entry : Stored()) stored.push_back(entry.TaskName);
  EXPECT_EQ(stored, (std::vector<std::string>{"Tool", "Expand Path"})) << "in the rows' order";

  // The unapplied one is listed twice: where it is, and from the store after the enumerated rows.
  auto next = StartRun();
  EXPECT_NE(next->PositionOf(kUserStartup, "Tool", "Enabled"), 0);
  EXPECT_GT(next->PositionOf(kUserStartup, "Tool", "Disabled"), next->PositionOf(kCommonStartup, "Common Tool"));
}

TEST_P(StartupStagingSuite, WhatNamesNoSingleEntryIsRefused) {
  const std::string folder = testing_support::StartupFolder(machine_, shared::kCsidlStartup);
  const shared::EntryRow bad{"..\\..\\x", "Disabled", kUserStartup, "Current User", "Current User Logs on", "C:\\x.exe"};
  ASSERT_TRUE(bootwarden::WriteStartupEntryFile(*machine_.files, StorePath(), {bad}).ok());
  auto run = StartRun();
  const int row = run->PositionOf(kUserStartup, "..\\..\\x");
  run->Toggle(row);
  run->staging.ApplyNow();
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_NE(prompt_.Asked()[0].text.find("..\\..\\x"), std::string::npos);
  EXPECT_EQ(run->list.Text(row, StartupEntry::kStatus), "Disabled");
  EXPECT_EQ(Stored().size(), 1u);
  EXPECT_FALSE(shared::FileExists(*machine_.files, folder + "\\..\\..\\x.lnk"));
}

TEST_P(StartupStagingSuite, WindowsSwitchIsTurnedOnWhereTheEntryStandsAndForEveryEntryWrittenBack) {
  using testing_support::SeedSwitch;
  using testing_support::SwitchOf;
  // Of a type no write-back would give it.
  testing_support::SeedValue(*machine_.registry, kHkeyCurrentUser, RunKey("Run"), "Typed",
                             std::string("C:\\typed.exe\0", 13), shared::kRegExpandSz);
  SeedSwitch(machine_, kHkeyCurrentUser, "Run", "Typed");
  SeedSwitch(machine_, kHkeyCurrentUser, "StartupFolder", "Tool.lnk");
  // Windows keys a switch by the real name, which the listing trims.
  testing_support::SeedString(*machine_.registry, kHkeyCurrentUser, RunKey("Run"), "  Padded", "C:\\padded.exe");
  SeedSwitch(machine_, kHkeyCurrentUser, "Run", "  Padded");
  auto run = StartRun();
  const int user = run->PositionOf(kUserRun, "Typed", "Switched Off");
  const int tool = run->PositionOf(kUserStartup, "Tool", "Switched Off");
  ASSERT_NE(user, 0);
  ASSERT_NE(tool, 0);
  run->Toggle(user);
  run->Toggle(run->PositionOf(kMachineRun, "Expand Path"));
  const std::uint64_t before = machine_.clock->FileTimeNow();
  run->staging.ApplyNow();
  const std::uint64_t after = machine_.clock->FileTimeNow();
  const shared::RegValueData on = SwitchOf(machine_, kHkeyCurrentUser, "Run", "Typed");
  ASSERT_EQ(on.type, shared::kRegBinary);
  ASSERT_EQ(on.bytes.size(), 12u);
  EXPECT_EQ(on.bytes.substr(0, 4), std::string("\x02\0\0\0", 4));
  std::uint64_t stamp = 0;
  for (int i = 7; i >= 0; --i) stamp = (stamp << 8) | static_cast<unsigned char>(on.bytes[4 + i]);
  EXPECT_TRUE(before <= stamp && stamp <= after) << stamp;
  // Left where it stands, not written again.
  EXPECT_EQ(Value(kHkeyCurrentUser, RunKey("Run"), "Typed"), std::make_pair(shared::kRegExpandSz, std::string("C:\\typed.exe")));
  EXPECT_EQ(run->list.Text(user, StartupEntry::kStatus), "Enabled");
  ASSERT_EQ(Stored().size(), 1u);

  // Windows' switch of the entry taken out is off meanwhile: written back, it is switched on too.
  SeedSwitch(machine_, kHkeyLocalMachine, "Run", "Expand Path");
  run->Toggle(run->PositionOf(kMachineRun, "Expand Path"));
  run->staging.ApplyNow();
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("Run"), "Expand Path").first, shared::kRegExpandSz);
  EXPECT_EQ(SwitchOf(machine_, kHkeyLocalMachine, "Run", "Expand Path").bytes[0], '\x02');
  ASSERT_TRUE(run->Exit().ok());
  EXPECT_FALSE(shared::FileExists(*machine_.files, StorePath())) << "a switched-off entry is not in the store";

  // A profile's "Switched Off" rows: switched off where Windows can, refused where it cannot.
  auto next = StartRun();
  EXPECT_NE(next->PositionOf(kUserRun, "Typed", "Enabled"), 0);
  Restage(*next, {"Shared Name", "Finish Setup"}, "Switched Off");
  next->staging.ApplyNow();
  EXPECT_EQ(SwitchOf(machine_, kHkeyLocalMachine, "Run", "Shared Name").bytes[0], '\x03');
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("Run"), "Shared Name").second, "C:\\Tools\\machine-shared.exe");
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_NE(prompt_.Asked()[0].text.find("\"Finish Setup\""), std::string::npos) << prompt_.Asked()[0].text;
  EXPECT_EQ(next->list.Text(next->PositionOf(kMachineRunOnce, "Finish Setup"), StartupEntry::kStatus), "Enabled");

  // Removed, it goes like any entry; held open by another program meanwhile, it stays and the user hears why.
  const std::string folder = testing_support::StartupFolder(machine_, shared::kCsidlStartup);
  std::function<void()> letGo = machine_.lockFile(folder + "\\Tool.lnk");
  next->MarkRemove(next->PositionOf(kUserStartup, "Tool"));
  next->staging.ApplyNow();
  letGo();
  ASSERT_EQ(prompt_.Asked().size(), 2u);
  EXPECT_NE(prompt_.Asked()[1].text.find("Tool.lnk"), std::string::npos) << prompt_.Asked()[1].text;
  ASSERT_TRUE(shared::FileExists(*machine_.files, folder + "\\Tool.lnk"));
  next->MarkRemove(next->PositionOf(kUserStartup, "Tool"));
  // Switched on under the real names: the value's blanks; a file back from its copy, its own name.
  next->Toggle(next->PositionOf(kUserRun, "Padded", "Switched Off"));
  next->Toggle(next->PositionOf(kUserStartup, "readme.txt", "Enabled"));
  next->staging.ApplyNow();
  EXPECT_FALSE(shared::FileExists(*machine_.files, folder + "\\Tool.lnk")) << prompt_.Asked().back().text;
  EXPECT_EQ(SwitchOf(machine_, kHkeyCurrentUser, "Run", "  Padded").bytes[0], '\x02');
  SeedSwitch(machine_, kHkeyCurrentUser, "StartupFolder", "readme.txt");
  next->Toggle(next->PositionOf(kUserStartup, "readme.txt", "Disabled"));
  next->staging.ApplyNow();
  EXPECT_TRUE(shared::FileExists(*machine_.files, folder + "\\readme.txt"));
  EXPECT_EQ(SwitchOf(machine_, kHkeyCurrentUser, "StartupFolder", "readme.txt").bytes[0], '\x02');

  // A profile's "Switched Off" for an entry out in the store is refused, even with another entry of
  // that name in its place now: the stored one stays disabled and stored.
  next->Toggle(next->PositionOf(kUserRun, "Padded", "Enabled"));
  next->staging.ApplyNow();
  testing_support::SeedString(*machine_.registry, kHkeyCurrentUser, RunKey("Run"), "  Padded", "C:\\other.exe");
  Restage(*next, {"Padded"}, "Switched Off");
  next->staging.ApplyNow();
  EXPECT_NE(next->PositionOf(kUserRun, "Padded", "Disabled"), 0);
  EXPECT_NE(prompt_.Asked().back().text.find("\"Padded\""), std::string::npos) << prompt_.Asked().back().text;
  EXPECT_EQ(SwitchOf(machine_, kHkeyCurrentUser, "Run", "  Padded").bytes[0], '\x02');
  ASSERT_TRUE(next->Exit().ok());
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].TaskName, "Padded");
}

TEST_P(StartupStagingSuite, A32BitEntryGoesOutAndComesBackInItsOwnView) {
  if (!machine_.registry->HasTwoViews()) GTEST_SKIP() << "one registry view";
  const auto k32 = shared::RegView::k32;
  constexpr char kRun32[] = "Registry(Machine Run 32-bit)";
  // The same name as a 64-bit entry, of a type a write-back from the row would not give it.
  testing_support::SeedValue(*machine_.registry, kHkeyLocalMachine, RunKey("Run"), "Shared Name",
                             std::string("C:\\32.exe\0", 10), shared::kRegExpandSz, k32);
  testing_support::SeedSwitch(machine_, kHkeyLocalMachine, "Run32", "Shared Name");
  auto run = StartRun();
  run->Toggle(run->PositionOf(kRun32, "Shared Name"));  // switched off: on
  run->Toggle(run->PositionOf(kRun32, "Shared Name"));  // then off, taken out
  run->staging.ApplyNow();
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("Run"), "Shared Name", k32).first, 0u);
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("Run"), "Shared Name").second, "C:\\Tools\\machine-shared.exe");
  ASSERT_TRUE(run->Exit().ok());
  ASSERT_EQ(Stored().size(), 1u);
  EXPECT_EQ(Stored()[0].LoadFrom, kRun32);

  auto next = StartRun();
  next->Toggle(next->PositionOf(kRun32, "Shared Name", "Disabled"));
  // An added task for the 32-bit view's RunOnce lands there only.
  shared::AppendRow(next->list, {"Added", "Enabled", "Registry(Machine RunOnce 32-bit)", "All Users", "logging on", "C:\\a.exe"});
  next->staging.ApplyNow();
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("Run"), "Shared Name", k32),
            std::make_pair(shared::kRegExpandSz, std::string("C:\\32.exe")));
  EXPECT_EQ(testing_support::SwitchOf(machine_, kHkeyLocalMachine, "Run32", "Shared Name").bytes[0], '\x02');
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("RunOnce"), "Added", k32).second, "C:\\a.exe");
  EXPECT_EQ(Value(kHkeyLocalMachine, RunKey("RunOnce"), "Added").first, 0u);
  ASSERT_TRUE(next->Exit().ok());
  EXPECT_FALSE(shared::FileExists(*machine_.files, StorePath()));
}
