#include <gtest/gtest.h>

#include "bootwarden/startup_sources.h"
#include "tests/common/registry_seed.h"
#include "tests/common/startup_sources_suite.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell_folder.h"
#include "tests/fakes/fake_shortcut.h"
#include "tests/fakes/fake_windows_folder.h"

namespace {

using bootwarden::StartupEntry;

INSTANTIATE_TEST_SUITE_P(Fake, StartupSourcesSuite,
                         ::testing::Values(StartupMachineFactory(testing_support::FakeStartupMachine)));

class StartupSourcesTest : public ::testing::Test {
 protected:
  StartupSourcesTest() {
    files_.AddFolder("C:\\Windows");
    bootwarden::FillLocationNames(names_);
  }
  std::string UserStartup() { return bootwarden::GetShellFolder(shellFolders_, shared::kCsidlStartup); }
  std::string CommonStartup() { return bootwarden::GetShellFolder(shellFolders_, shared::kCsidlCommonStartup); }

  fakes::FakeRegistry registry_;
  fakes::FakeFileSystem files_;
  fakes::FakeProfile profile_{files_, "C:\\Windows"};
  fakes::FakeShellFolder shellFolders_{files_};
  fakes::FakeWindowsFolder windowsFolder_;
  fakes::FakeShortcut shortcuts_{files_};
  shared::RegistryStore store_{registry_};
  shared::RegistryComponent reg_{registry_};
  bootwarden::LocationNames names_;
  bootwarden::StartupSources sources_{store_, reg_, profile_, files_, shellFolders_, windowsFolder_, shortcuts_, names_, registry_};
  shared::ListModel list_;
};

// The location texts (RunServices' too) are checked by the suite's rows.
TEST_F(StartupSourcesTest, AKeyIsAppendedToTheListAndAMissingOneAddsNothing) {
  testing_support::SeedString(registry_, shared::kHkeyLocalMachine,
                              std::string(bootwarden::kRunKeyBase) + "RunServices", "Agent", "agent.exe");
  list_.Add("kept");
  bootwarden::SetRegRunIntoList(sources_, list_, shared::kHkeyLocalMachine, "RunServices");
  bootwarden::SetRegRunIntoList(sources_, list_, shared::kHkeyLocalMachine, "NoSuchKey");
  ASSERT_EQ(list_.Count(), 2) << "appends, never clears; a missing key adds nothing";
  EXPECT_EQ(list_.Text(1, 0), "kept");
  EXPECT_EQ(list_.Text(2, 0), "Agent");
  EXPECT_EQ(registry_.OpenHandles(), 0) << "every key opened is closed";

  // With one registry view the 32-bit view's keys are the same keys: nothing is listed twice.
  registry_.UseOneView();
  testing_support::SeedString(registry_, shared::kHkeyLocalMachine, std::string(bootwarden::kRunKeyBase) + "Run",
                              "Main", "main.exe");
  list_ = {};
  bootwarden::EnumerateStartupEntries(sources_, list_);
  EXPECT_EQ(list_.Count(), 2);
}

TEST_F(StartupSourcesTest, AValueGoneSinceTheCountGivesNoRow) {
  const std::string run = std::string(bootwarden::kRunKeyBase) + "Run";
  testing_support::SeedString(registry_, shared::kHkeyCurrentUser, run, "", "default.exe");
  testing_support::SeedString(registry_, shared::kHkeyCurrentUser, run, "Tray", "tray.exe");
  registry_.CountOneValueMore();
  bootwarden::SetRegRunIntoList(sources_, list_, shared::kHkeyCurrentUser, "Run");
  ASSERT_EQ(list_.Count(), 2) << "no phantom copy of the default value";
  EXPECT_EQ(list_.Text(1, 0), "");
  EXPECT_EQ(list_.Text(1, StartupEntry::kLocation), "default.exe");
  EXPECT_EQ(list_.Text(2, 0), "Tray");
}

TEST_F(StartupSourcesTest, ShellFolderOnlyOnSuccessAndWindowsFolderWithoutTrailingBackslash) {
  const std::string folder = UserStartup();
  EXPECT_FALSE(folder.empty());
  EXPECT_TRUE(files_.GetAttributes(folder).has_value()) << "created on the way";
  shellFolders_.SetReply(shared::kCsidlStartup, {shared::kSFalse, "C:\\Somewhere"});
  EXPECT_EQ(UserStartup(), "");
  shellFolders_.SetReply(shared::kCsidlStartup, {shared::kEInvalidArg, "C:\\Somewhere"});
  EXPECT_EQ(UserStartup(), "");
  shellFolders_.SetReply(shared::kCsidlStartup, {shared::kSOk, std::string("C:\\Cut\0tail", 11)});
  EXPECT_EQ(UserStartup(), "C:\\Cut");

  windowsFolder_.Set("C:\\WINDOWS\\");
  EXPECT_EQ(shared::GetWinDir(windowsFolder_), "C:\\WINDOWS");
  windowsFolder_.Set("D:\\");
  EXPECT_EQ(shared::GetWinDir(windowsFolder_), "D:") << "so that + \"\\win.ini\" stays one path";
  windowsFolder_.Set("");
  EXPECT_EQ(shared::GetWinDir(windowsFolder_), "");
  bootwarden::SetWinIniIntoList(sources_, list_);
  EXPECT_EQ(list_.Count(), 0) << "no win.ini, no rows";
}

// A shortcut's target is the suite's (Tool, Common Tool).
TEST_F(StartupSourcesTest, StartupNamesListingOrderTargetsAndAFolderWithoutPath) {
  const std::string folder = UserStartup();
  files_.AddFile(folder + "\\zeta.txt");  // listed first: the folder's own order, not sorted
  files_.AddFile(folder + "\\broken.lnk", "garbage");
  files_.AddFile(folder + "\\a.lnk.txt");
  files_.AddFile(folder + "\\.lnk");
  files_.AddFile(folder + "\\locked.exe", "", {.readOnly = true});
  files_.AddFile(folder + "\\system.dat", "", {.system = true});
  files_.AddFile(folder + "\\hidden.lnk", fakes::FakeShortcut::Contents("C:\\x.exe"), {.hidden = true});
  files_.AddFile(CommonStartup() + "\\Common.lnk", fakes::FakeShortcut::Contents("C:\\c.exe"));
  bootwarden::SetStartupIntoList(sources_, list_);

  std::vector<std::pair<std::string, std::string>> rows;
  for (int i = 1; i <= list_.Count(); ++i) rows.emplace_back(list_.Text(i, 0), list_.Text(i, StartupEntry::kLocation));
  EXPECT_EQ(rows, (std::vector<std::pair<std::string, std::string>>{
                      {"zeta.txt", ""},
                      {"broken", ""},  // a shortcut that cannot be read
                      {"a.lnk", ""},   // the last four characters go, whatever they are
                      {".lnk", ""},    // ".lnk" at the very start is no extension
                      {"locked.exe", ""},
                      {"Common", "C:\\c.exe"},
                  }));

  // The user's folder has no path: the common folder is still listed.
  shellFolders_.SetReply(shared::kCsidlStartup, {shared::kEFail, ""});
  list_ = {};
  bootwarden::SetStartupIntoList(sources_, list_);
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(bootwarden::EntryAt(list_, 1), (StartupEntry{"Common", "Enabled", "StartUp (All Users)", "All Users",
                                                         "Any User Logs on", "C:\\c.exe"}));
  EXPECT_EQ(shared::ToRow(bootwarden::EntryAt(list_, 1)), list_.RowAt(1));
}

}  // namespace
