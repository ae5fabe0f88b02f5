#include "tests/common/startup_sources_suite.h"

#include "bootwarden/startup_approved.h"
#include "bootwarden/startup_sources.h"
#include "tests/common/registry_seed.h"

using testing_support::EnumerateStartup;
using testing_support::RowsOf;
using testing_support::SortedWithinStartupFolders;

TEST_P(StartupSourcesSuite, EmptyLocationsGiveAnEmptyList) {
  // Empty keys, not missing ones.
  for (const char* key : {"Run", "RunOnce", "RunOnceEx", "RunServices"})
    testing_support::SeedKey(*machine_.registry, shared::kHkeyLocalMachine, bootwarden::kRunKeyBase + std::string(key));
  testing_support::SeedKey(*machine_.registry, shared::kHkeyCurrentUser, bootwarden::kRunKeyBase + std::string("Run"));
  EXPECT_EQ(EnumerateStartup(machine_).Count(), 0);
}

TEST_P(StartupSourcesSuite, WinIniValuesFollowTheLengthRuleAndALongCommandLineIsListedWhole) {
  const std::string winIni = testing_support::WinIniPath(machine_);
  for (const auto& [key, value] : {std::pair{"Load", "x"}, {"Run", "ab"}})
    ASSERT_TRUE(machine_.profile->WriteString("Windows", key, std::string(value), winIni).ok());
  auto list = EnumerateStartup(machine_);
  ASSERT_EQ(list.Count(), 1) << "one character is no program";
  EXPECT_EQ(bootwarden::EntryAt(list, 1),
            (bootwarden::StartupEntry{"Win.ini Run", "Enabled", "Win.ini Run", "All Users", "Any User Logs on", "ab"}));

  const std::string longValue = "C:\\Very Long Folder Name\\" + std::string(150, 'p') + ".exe";
  ASSERT_TRUE(machine_.profile->WriteString("Windows", "Load", longValue, winIni).ok());
  list = EnumerateStartup(machine_);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Text(1, bootwarden::StartupEntry::kLocation), longValue.substr(0, 126));

  // Longer than the 255-byte data buffer of a value listing: the name must still come through.
  const std::string command = "\"C:\\Program Files\\Agent\\agent.exe\" " + std::string(600, 'a');
  testing_support::SeedString(*machine_.registry, shared::kHkeyLocalMachine,
                              bootwarden::kRunKeyBase + std::string("Run"), "Agent", command);
  list = EnumerateStartup(machine_);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Text(1, bootwarden::StartupEntry::kTaskName), "Agent");
  EXPECT_EQ(list.Text(1, bootwarden::StartupEntry::kLocation), command);
}

// Every location's rows in order; those Windows switched off say so.
TEST_P(StartupSourcesSuite, EveryLocationGivesItsRowsInOrderAndSwitchedOffEntriesSaySo) {
  testing_support::SeedStartupScenario(machine_);
  using shared::kHkeyCurrentUser;
  using shared::kHkeyLocalMachine;
  testing_support::SeedSwitch(machine_, kHkeyCurrentUser, "Run", "Shared Name");
  // Any odd first byte is off, an even one on.
  testing_support::SeedSwitch(machine_, kHkeyLocalMachine, "Run", "Expand Path",
                              {shared::kRegBinary, std::string("\x07\0\0\0", 4) + std::string(8, '\x01')});
  testing_support::SeedSwitch(machine_, kHkeyLocalMachine, "Run", "Shared Name",
                              bootwarden::SwitchRecord(true, machine_.clock->FileTimeNow()));
  // Windows switches no RunOnce entry: a switch of that name belongs to a Run value.
  testing_support::SeedSwitch(machine_, kHkeyLocalMachine, "Run", "Finish Setup");
  // A Startup-folder entry's switch has the file's name.
  testing_support::SeedSwitch(machine_, kHkeyCurrentUser, "StartupFolder", "Tool.lnk");
  // No record of a switch: too short, of another type.
  testing_support::SeedSwitch(machine_, kHkeyCurrentUser, "StartupFolder", "readme.txt",
                              {shared::kRegBinary, std::string("\x03\0\0\0", 4)});
  testing_support::SeedSwitch(machine_, kHkeyLocalMachine, "StartupFolder", "Common Tool.lnk",
                              {shared::kRegDword, std::string("\x03\0\0\0", 4)});

  auto expected = testing_support::ExpectedStartupRows(machine_);
  for (auto& row : expected) {
    if ((row[2] == "Registry(User Run)" && row[0] == "Shared Name") ||
        (row[2] == "Registry(Machine Run)" && row[0] == "Expand Path") ||
        (row[2] == "StartUp (Current User)" && row[0] == "Tool"))
      row[1] = "Switched Off";
  }
  const auto rows = SortedWithinStartupFolders(RowsOf(EnumerateStartup(machine_)));
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << "row " << i + 1;
}

TEST_P(StartupSourcesSuite, TheMachineKeysOfThe32BitViewAreLocationsOfTheirOwn) {
  if (!machine_.registry->HasTwoViews()) GTEST_SKIP() << "one registry view";
  using testing_support::SeedString;
  const auto k32 = shared::RegView::k32;
  const std::string base = bootwarden::kRunKeyBase;
  SeedString(*machine_.registry, shared::kHkeyLocalMachine, base + "Run", "Agent", "C:\\64\\agent.exe");
  SeedString(*machine_.registry, shared::kHkeyLocalMachine, base + "Run", "Agent", "C:\\32\\agent.exe", k32);
  SeedString(*machine_.registry, shared::kHkeyLocalMachine, base + "RunOnce", "Setup", "C:\\32\\setup.exe", k32);
  SeedString(*machine_.registry, shared::kHkeyLocalMachine, base + "RunOnceEx", "Title", "Installing", k32);
  // The user's Run is one key in both views: listed once.
  SeedString(*machine_.registry, shared::kHkeyCurrentUser, base + "Run", "Tray", "C:\\32\\tray.exe", k32);
  testing_support::SeedSwitch(machine_, shared::kHkeyLocalMachine, "Run32", "Agent");
  const char* all[] = {"All Users", "Any User Logs on"};
  EXPECT_EQ(RowsOf(EnumerateStartup(machine_)),
            (std::vector<shared::ListModel::Row>{
                {"Tray", "Enabled", "Registry(User Run)", "Current User", "Current User Logs on", "C:\\32\\tray.exe"},
                {"Agent", "Enabled", "Registry(Machine Run)", all[0], all[1], "C:\\64\\agent.exe"},
                {"Agent", "Switched Off", "Registry(Machine Run 32-bit)", all[0], all[1], "C:\\32\\agent.exe"},
                {"Setup", "Enabled", "Registry(Machine RunOnce 32-bit)", all[0], all[1], "C:\\32\\setup.exe"},
                {"Title", "Enabled", "Registry(Machine RunOnceEx 32-bit)", all[0], all[1], "Installing"}}));
}
