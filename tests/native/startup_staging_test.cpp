// Staging, apply, the disabled-entry store and entry files against the fakes, with the failures
// only the fakes can stage.
#include <gtest/gtest.h>

#include "bootwarden/command_line.h"
#include "bootwarden/startup_profiles.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_file_dialog.h"
#include "tests/common/staged_list_suite.h"
#include "tests/common/startup_staging_suite.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell_folder.h"
#include "tests/fakes/fake_shortcut.h"

namespace {

using bootwarden::StartupEntry;
using testing_support::RowsOf;

INSTANTIATE_TEST_SUITE_P(Fake, StagedListSuite, ::testing::Values(StartupMachineFactory(testing_support::FakeStartupMachine)));
INSTANTIATE_TEST_SUITE_P(Fake, StartupStagingSuite,
                         ::testing::Values(StartupMachineFactory(testing_support::FakeStartupMachine)));

class StartupStagingFailures : public StartupStagingSuite {
 protected:
  fakes::FakeFileSystem& Files() { return static_cast<fakes::FakeFileSystem&>(*machine_.files); }
  fakes::FakeRegistry& Registry() { return static_cast<fakes::FakeRegistry&>(*machine_.registry); }
};

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_P(StartupStagingFailures, ADeniedRegistryWriteKeepsTheEntryDisabledAndStored) {
  auto run = StartRun();
  const int row = run->PositionOf("Registry(Machine Run)", "Shared Name");
  run->Toggle(row);
  run->staging.ApplyNow();
  ASSERT_EQ(Stored().size(), 1u);

  Registry().DenyWrites(shared::kHkeyLocalMachine, kRun);
  run->Toggle(row);
  run->staging.ApplyNow();
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_NE(prompt_.Asked()[0].text.find("\"Shared Name\" (Registry(Machine Run))"), std::string::npos);
  EXPECT_NE(prompt_.Asked()[0].text.find("Access is denied"), std::string::npos) << prompt_.Asked()[0].text;
  EXPECT_EQ(run->list.Text(row, StartupEntry::kStatus), "Disabled");
  EXPECT_EQ(run->staging.Snapshot()[row - 1].Status, "Disabled");
  EXPECT_EQ(Stored().size(), 1u);
}

TEST_P(StartupStagingFailures, AReadOnlyShortcutStaysAndSaysSo) {
  const std::string shortcut = testing_support::StartupFolder(machine_, shared::kCsidlStartup) + "\\Tool.lnk";
  auto attributes = Files().GetAttributes(shortcut).value();
  attributes.readOnly = true;
  Files().SetAttributes(shortcut, attributes);
  auto run = StartRun();
  const int row = run->PositionOf("StartUp (Current User)", "Tool");
  run->Toggle(row);
  run->staging.ApplyNow();
  EXPECT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_TRUE(shared::FileExists(Files(), shortcut));
  EXPECT_EQ(run->list.Text(row, StartupEntry::kStatus), "Enabled");
  EXPECT_FALSE(shared::FileExists(Files(), StorePath()));  // rewritten after the apply
}

TEST_P(StartupStagingFailures, AddedRowsJoinTheSnapshotWhenWritten) {
  auto run = StartRun();
  const int count = run->list.Count();
  shared::AppendRow(run->list, shared::ToRow(StartupEntry{"New Task", "Enabled", "Registry(User Run)", "Current User",
                                      "Current User Logs on", "C:\\new.exe"}));
  shared::AppendRow(run->list, shared::ToRow(StartupEntry{"Later", "Disabled", "Registry(User Run)", "Current User",
                                      "Current User Logs on", "C:\\later.exe"}));
  shared::AppendRow(run->list, shared::ToRow(StartupEntry{"Dropped", "Remove", "Registry(User Run)", "Current User",
                                      "Current User Logs on", "C:\\dropped.exe"}));
  run->staging.ApplyNow();
  EXPECT_EQ(Value(shared::kHkeyCurrentUser, kRun, "New Task").second, "C:\\new.exe");
  EXPECT_EQ(Value(shared::kHkeyCurrentUser, kRun, "Later").first, 0u);
  EXPECT_EQ(run->staging.SnapshotCount(), count + 1);
  EXPECT_EQ(run->list.Count(), count + 2);
  EXPECT_EQ(Stored().size(), 1u);  // the unapplied "Disabled" row
}

INSTANTIATE_TEST_SUITE_P(Fake, StartupStagingFailures,
                         ::testing::Values(StartupMachineFactory(testing_support::FakeStartupMachine)));

int Lines(const std::string& text) {
  int lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  return lines;
}

TEST(StartupNames, ShortcutNamesAndExpandableCommands) {
  EXPECT_TRUE(bootwarden::IsSafeShortcutName("Tool"));
  EXPECT_TRUE(bootwarden::IsSafeShortcutName("Setup... Wizard"));
  for (const char* bad : {"", ".", "..", "..\\..\\x", "a/b", "a\\b", "C:x", "a:stream", "a|b", "a?", "a*", "\"a\"", "<a>", "a\tb"})
    EXPECT_FALSE(bootwarden::IsSafeShortcutName(bad)) << bad;
  EXPECT_TRUE(bootwarden::HoldsEnvironmentReference("%SystemRoot%\\x.exe"));
  EXPECT_FALSE(bootwarden::HoldsEnvironmentReference("x.exe 100%"));
  EXPECT_FALSE(bootwarden::HoldsEnvironmentReference("x.exe %%"));
}

TEST(StartupNames, CommandLinesSplitIntoTargetAndArguments) {
  fakes::FakeFileSystem files;
  files.AddFile("C:\\Program");
  files.AddFile("C:\\Program Files\\Tool\\tool.exe");
  const struct {
    const char* line;
    bootwarden::SplitCommand split;
  } cases[] = {
      {"C:\\windows\\notepad.exe /x", {"C:\\windows\\notepad.exe", "/x"}},  // no such file: the first blank
      {"\"C:\\Program Files\\Tool\\tool.exe\"  /a \"b c\"", {"C:\\Program Files\\Tool\\tool.exe", "/a \"b c\""}},
      {"\"C:\\open quote.exe", {"C:\\open quote.exe", ""}},
      {"C:\\Program Files\\Tool\\tool.exe   /min  /x", {"C:\\Program Files\\Tool\\tool.exe", "/min  /x"}},
      {"C:\\Program Files\\Tool\\tool.exe", {"C:\\Program Files\\Tool\\tool.exe", ""}},
      {"C:\\Program Files\\Gone\\gone.exe", {"C:\\Program", "Files\\Gone\\gone.exe"}},
      {" \tloader.exe\t-q ", {"loader.exe", "-q"}},
      {"", {"", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(bootwarden::SplitCommandLine(files, c.line), c.split) << c.line;
}

TEST_P(StartupStagingFailures, AProfileSavesEveryRowAndLoadsBackOnlyWhenChosen) {
  auto run = StartRun();
  fakes::FakeFileDialog dialog;
  bootwarden::StartupProfiles profiles(run->list, run->staging, dialog, Files(), prompt_);
  Files().AddFile("C:\\mine.txt", "old contents\r\n");
  run->Toggle(2);
  const auto saved = RowsOf(run->list);
  dialog.Choose("C:\\mine.txt");
  profiles.SaveProfileClicked();
  EXPECT_EQ(Lines(Files().ReadFile("C:\\mine.txt").value()), 6 * run->list.Count());

  run->staging.ResetAllClicked();
  dialog.Cancel();
  profiles.LoadProfileClicked();  // the earlier choice is not acted on
  EXPECT_EQ(run->list.Text(2, StartupEntry::kStatus), "Enabled");
  dialog.Choose("C:\\mine.txt");
  profiles.LoadProfileClicked();
  ASSERT_EQ(saved[0][0], "") << "the key's default value comes back too";
  EXPECT_EQ(RowsOf(run->list), saved);
  EXPECT_EQ(profiles.ProfilePath(), "C:\\mine.txt");
  EXPECT_TRUE(prompt_.Asked().empty());
  EXPECT_EQ(dialog.Shown(), 3);
}

TEST_P(StartupStagingFailures, AProfileThatCannotBeUsedLeavesTheListAlone) {
  auto run = StartRun();
  fakes::FakeFileDialog dialog;
  bootwarden::StartupProfiles profiles(run->list, run->staging, dialog, Files(), prompt_);
  const auto rows = RowsOf(run->list);
  Files().AddFile("C:\\empty.txt", "");
  dialog.Choose("C:\\missing.txt");
  dialog.Choose("C:\\empty.txt");
  dialog.Fail();
  for (int i = 0; i < 3; ++i) profiles.LoadProfileClicked();
  EXPECT_EQ(RowsOf(run->list), rows);
  EXPECT_EQ(prompt_.Asked().size(), 3u);

  Files().FailWrites(true);
  dialog.Choose("C:\\new.txt");
  profiles.SaveProfileClicked();
  EXPECT_EQ(prompt_.Asked().size(), 4u);
  EXPECT_FALSE(shared::FileExists(Files(), "C:\\new.txt"));
}

}  // namespace
