#include <gtest/gtest.h>

#include "shared/shell_launchers.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_shell.h"

namespace {

using namespace shared;

class ShellLaunchersTest : public ::testing::Test {
 protected:
  fakes::FakeShell shell_;
  fakes::FakePrompt prompt_;
  fakes::FakeFileSystem files_;
};

TEST_F(ShellLaunchersTest, HelpIndexBelowTheProgramFolderWithoutDoubledBackslash) {
  EXPECT_EQ(HelpIndexPath("C:\\Tools\\Plugwarden"), "C:\\Tools\\Plugwarden\\Help\\index.html");
  EXPECT_EQ(HelpIndexPath("D:\\"), "D:\\Help\\index.html");
  EXPECT_EQ(HelpIndexPath("D:\\  "), "D:\\  Help\\index.html") << "the test trims, the path keeps what it was given";
  OpenHelpIndex(shell_, "E:\\");
  ASSERT_EQ(shell_.Opened().size(), 1u);
  EXPECT_EQ(shell_.Opened()[0], (fakes::OpenedDocument{0, "Open", "E:\\Help\\index.html", kShowNormal}))
      << "no owner, and a visible window";
  EXPECT_TRUE(prompt_.Asked().empty()) << "a missing help file shows nothing";
}

TEST_F(ShellLaunchersTest, PlugwardenUpdaterMissingShowsTextAndPath) {
  StartUpdaterChecked(shell_, files_, prompt_, "C:\\PW", "Updater not found: ", "Plugwarden");
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_EQ(prompt_.Asked()[0].text, "Updater not found: C:\\PW\\freshpull.exe");
  EXPECT_EQ(prompt_.Asked()[0].style, kMbOk);
  EXPECT_EQ(prompt_.Asked()[0].title, "Plugwarden");
  EXPECT_TRUE(shell_.CommandLines().empty());
}

TEST_F(ShellLaunchersTest, PlugwardenUpdaterPresentIsStartedQuotedAndFailuresIgnored) {
  files_.AddFile("C:\\Program Files\\PW\\freshpull.exe");
  StartUpdaterChecked(shell_, files_, prompt_, "C:\\Program Files\\PW", "x", "Plugwarden");
  ASSERT_EQ(shell_.CommandLines().size(), 1u);
  EXPECT_EQ(shell_.CommandLines()[0], "\"C:\\Program Files\\PW\\freshpull.exe\"");
  EXPECT_TRUE(prompt_.Asked().empty()) << "the fake cannot start it; the failure is ignored";
}

TEST_F(ShellLaunchersTest, BootwardenUpdaterIsSilent) {
  StartUpdaterSilently(shell_, "C:\\BW");
  ASSERT_EQ(shell_.CommandLines().size(), 1u);
  EXPECT_EQ(shell_.CommandLines()[0], "C:\\BW\\freshpull.exe");
  EXPECT_TRUE(prompt_.Asked().empty());
}

TEST_F(ShellLaunchersTest, MakerSiteOpensWithTheOwner) {
  VisitMakerSite(shell_, 0x1234);
  ASSERT_EQ(shell_.Opened().size(), 1u);
  EXPECT_EQ(shell_.Opened()[0], (fakes::OpenedDocument{0x1234, "Open", kMakerWebAddress, kShowNormal}));
}

TEST_F(ShellLaunchersTest, RegistryEditorOnlyAfterYes) {
  prompt_.Script({kAnswerNo});
  StartRegistryEditor(shell_, prompt_, "C:\\WINDOWS", "Careful!");
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_EQ(prompt_.Asked()[0].style, 276);
  EXPECT_EQ(prompt_.Asked()[0].title, "Bootwarden");
  EXPECT_EQ(prompt_.Asked()[0].text, "Careful!");
  EXPECT_TRUE(shell_.CommandLines().empty()) << "No starts nothing";

  shell_.AddProgram("C:\\WINDOWS\\regedit.exe");
  prompt_.Script({kAnswerYes});
  StartRegistryEditor(shell_, prompt_, "C:\\WINDOWS", "Careful!");
  ASSERT_EQ(shell_.CommandLines().size(), 1u);
  EXPECT_EQ(shell_.CommandLines()[0], "C:\\WINDOWS\\regedit.exe");
  EXPECT_EQ(prompt_.Asked().size(), 2u) << "a successful start shows nothing more";
}

TEST_F(ShellLaunchersTest, RegistryEditorThatCannotStartIsShown) {
  prompt_.Script({kAnswerYes});
  StartRegistryEditor(shell_, prompt_, "C:", "Careful!");
  EXPECT_EQ(shell_.CommandLines().at(0), "C:\\regedit.exe");
  ASSERT_EQ(prompt_.Asked().size(), 2u);
  EXPECT_NE(prompt_.Asked()[1].text.find("C:\\regedit.exe"), std::string::npos);
  EXPECT_NE(prompt_.Asked()[1].text.find(DefaultErrorText(kErrorFileNotFound)), std::string::npos);
  EXPECT_EQ(prompt_.Asked()[1].style, kMbOk | kMbIconCritical);
}

TEST_F(ShellLaunchersTest, NotepadFromTheSystemFolderOnTheDosFiles) {
  shell_.AddProgram("C:\\windows\\system32\\notepad.exe");
  EditDosFile(shell_, prompt_, kAutoexecBat, "Bootwarden");
  EditDosFile(shell_, prompt_, kConfigSys, "Bootwarden");
  ASSERT_EQ(shell_.CommandLines().size(), 2u);
  EXPECT_EQ(shell_.CommandLines()[0], "C:\\windows\\system32\\notepad.exe c:\\autoexec.bat");
  EXPECT_EQ(shell_.CommandLines()[1], "C:\\windows\\system32\\notepad.exe c:\\config.sys");
  EXPECT_TRUE(prompt_.Asked().empty());

  shell_.FailStarts(kErrorAccessDenied);
  EditDosFile(shell_, prompt_, kConfigSys, "Bootwarden");
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_EQ(prompt_.Asked()[0].title, "Bootwarden");
}

TEST(QuoteProgramTest, QuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(QuoteProgram("C:\\a\\b.exe"), "C:\\a\\b.exe");
  EXPECT_EQ(QuoteProgram("C:\\Program Files\\b.exe"), "\"C:\\Program Files\\b.exe\"");
  EXPECT_EQ(QuoteProgram("\"C:\\Program Files\\b.exe\""), "\"C:\\Program Files\\b.exe\"") << "not quoted twice";
}

}  // namespace
