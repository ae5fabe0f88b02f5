// Staging, apply, the disabled-entry store and entry files against the fakes, with the failures
// only the fakes can stage.
#include <gtest/gtest.h>

#include <algorithm>

#include "bootwarden/command_line.h"
#include "bootwarden/startup_profiles.h"
#include "tests/common/startup_staging_suite.h"
#include "tests/fakes/fake_file_dialog.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell_folder.h"

namespace {

using bootwarden::StartupEntry;
using testing_support::RowsOf;

const auto kFakeMachine = ::testing::Values(StartupMachineFactory(testing_support::FakeStartupMachine));
INSTANTIATE_TEST_SUITE_P(Fake, StagedListSuite, kFakeMachine);
INSTANTIATE_TEST_SUITE_P(Fake, StartupStagingSuite, kFakeMachine);

class StartupStagingFailures : public StartupStagingSuite {
 protected:
  fakes::FakeFileSystem& Files() { return static_cast<fakes::FakeFileSystem&>(*machine_.files); }
  fakes::FakeRegistry& Registry() { return static_cast<fakes::FakeRegistry&>(*machine_.registry); }
};

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

TEST_P(StartupStagingFailures, AFailedStepSaysSoAndLeavesEntryRowAndStoreAsTheyWere) {
  // A shortcut that cannot be deleted stays "Enabled" and out of the store.
  const std::string shortcut = testing_support::StartupFolder(machine_, shared::kCsidlStartup) + "\\Tool.lnk";
  auto attributes = Files().GetAttributes(shortcut).value();
  attributes.readOnly = true;
  Files().SetAttributes(shortcut, attributes);
  auto run = StartRun();
  const int tool = run->PositionOf("StartUp (Current User)", "Tool");
  const int machineRun = run->PositionOf("Registry(Machine Run)", "Shared Name");
  run->Toggle(tool);
  run->Toggle(machineRun);
  run->staging.ApplyNow();
  EXPECT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_TRUE(shared::FileExists(Files(), shortcut));
  EXPECT_EQ(run->list.Text(tool, StartupEntry::kStatus), "Enabled");
  ASSERT_EQ(Stored().size(), 1u);  // rewritten after the apply

  // A value that cannot be written back keeps its entry "Disabled" and stored.
  Registry().DenyWrites(shared::kHkeyLocalMachine, kRun);
  run->Toggle(machineRun);
  run->staging.ApplyNow();
  ASSERT_EQ(prompt_.Asked().size(), 2u);
  EXPECT_NE(prompt_.Asked()[1].text.find("\"Shared Name\" (Registry(Machine Run))"), std::string::npos);
  EXPECT_NE(prompt_.Asked()[1].text.find("Access is denied"), std::string::npos) << prompt_.Asked()[1].text;
  EXPECT_EQ(run->list.Text(machineRun, StartupEntry::kStatus), "Disabled");
  EXPECT_EQ(run->staging.Snapshot()[machineRun - 1].Status, "Disabled");
  EXPECT_EQ(Stored().size(), 1u);
  // The Startup folder is asked for anew at each apply: moved since, an entry goes back to where
  // the shell says it is now.
  attributes.readOnly = false;
  Files().SetAttributes(shortcut, attributes);
  run->Toggle(tool);
  run->staging.ApplyNow();
  Files().AddFolder("C:\\Moved");
  static_cast<fakes::FakeShellFolder&>(*machine_.shellFolders).SetReply(shared::kCsidlStartup, {shared::kSOk, "C:\\Moved"});
  run->Toggle(tool);
  run->staging.ApplyNow();
  EXPECT_TRUE(shared::FileExists(Files(), "C:\\Moved\\Tool.lnk"));
}

INSTANTIATE_TEST_SUITE_P(Fake, StartupStagingFailures, kFakeMachine);

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

TEST_P(StartupStagingFailures, AProfileSavesEveryRowAndLoadsBackOnlyWhatCanBeUsed) {
  auto run = StartRun();
  fakes::FakeFileDialog dialog;
  bootwarden::StartupProfiles profiles(run->list, run->staging, dialog, Files(), prompt_);
  Files().AddFile("C:\\mine.txt", "old contents\r\n");
  run->Toggle(2);
  const auto saved = RowsOf(run->list);
  dialog.Choose("C:\\mine.txt");
  profiles.SaveProfileClicked();
  const std::string file = Files().ReadFile("C:\\mine.txt").value();
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 6 * run->list.Count());

  // Cancelled says nothing; missing, empty or failed say so; the list stays either way.
  run->staging.ResetAllClicked();
  const auto reset = RowsOf(run->list);
  Files().AddFile("C:\\empty.txt", "");
  dialog.Cancel();
  dialog.Choose("C:\\missing.txt");
  dialog.Choose("C:\\empty.txt");
  dialog.Fail();
  for (int i = 0; i < 4; ++i) profiles.LoadProfileClicked();
  EXPECT_EQ(RowsOf(run->list), reset);
  EXPECT_EQ(prompt_.Asked().size(), 3u);
  dialog.Choose("C:\\mine.txt");
  profiles.LoadProfileClicked();
  ASSERT_EQ(saved[0][0], "") << "the key's default value comes back too";
  EXPECT_EQ(RowsOf(run->list), saved);
  EXPECT_EQ(profiles.ProfilePath(), "C:\\mine.txt");

  Files().FailWrites(true);
  dialog.Choose("C:\\new.txt");
  profiles.SaveProfileClicked();
  EXPECT_EQ(prompt_.Asked().size(), 4u);
  EXPECT_FALSE(shared::FileExists(Files(), "C:\\new.txt"));
  EXPECT_EQ(dialog.Shown(), 7);
}

}  // namespace
