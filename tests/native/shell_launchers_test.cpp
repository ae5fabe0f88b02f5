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

TEST_F(ShellLaunchersTest, HelpIndexUpdaterAndMakerSite) {
  EXPECT_EQ(HelpIndexPath("C:\\Tools\\Plugwarden"), "C:\\Tools\\Plugwarden\\Help\\index.html");
  EXPECT_EQ(HelpIndexPath("D:\\"), "D:\\Help\\index.html");
  EXPECT_EQ(HelpIndexPath("D:\\  "), "D:\\  Help\\index.html") << "the test trims, the path keeps what it was given";
  OpenHelpIndex(shell_, "E:\\");
  ASSERT_EQ(shell_.Opened().size(), 1u);
  EXPECT_EQ(shell_.Opened()[0], (fakes::OpenedDocument{0, "Open", "E:\\Help\\index.html", kShowNormal}))
      << "no owner, and a visible window";
  EXPECT_TRUE(prompt_.Asked().empty()) << "a missing help file shows nothing";

  // A missing updater is shown by Plugwarden only; it starts quoted.
  StartUpdaterChecked(shell_, files_, prompt_, "C:\\PW", "Updater not found: ", "Plugwarden");
  ASSERT_EQ(prompt_.Asked().size(), 1u);
  EXPECT_EQ(prompt_.Asked()[0].text, "Updater not found: C:\\PW\\freshpull.exe");
  EXPECT_EQ(prompt_.Asked()[0].style, kMbOk);
  EXPECT_EQ(prompt_.Asked()[0].title, "Plugwarden");
  EXPECT_TRUE(shell_.CommandLines().empty());

  files_.AddFile("C:\\Program Files\\PW\\freshpull.exe");
  StartUpdaterChecked(shell_, files_, prompt_, "C:\\Program Files\\PW", "x", "Plugwarden");
  StartUpdaterSilently(shell_, "C:\\BW");
  EXPECT_EQ(shell_.CommandLines(),
            (std::vector<std::string>{"\"C:\\Program Files\\PW\\freshpull.exe\"", "C:\\BW\\freshpull.exe"}));
  EXPECT_EQ(prompt_.Asked().size(), 1u) << "the fake cannot start either; both failures are ignored";

  VisitMakerSite(shell_, 0x1234);
  EXPECT_EQ(shell_.Opened().at(1), (fakes::OpenedDocument{0x1234, "Open", kMakerWebAddress, kShowNormal}));
  EXPECT_EQ(QuoteProgram("\"C:\\Program Files\\b.exe\""), "\"C:\\Program Files\\b.exe\"") << "not quoted twice";
}

TEST_F(ShellLaunchersTest, RegistryEditorOnlyAfterYesNotepadFromTheSystemFolderFailedStartsShown) {
  prompt_.Script({kAnswerNo, kAnswerYes, kAnswerYes});
  StartRegistryEditor(shell_, prompt_, "C:\\WINDOWS", "Careful!");
  EXPECT_TRUE(shell_.CommandLines().empty()) << "No starts nothing";
  shell_.AddProgram("C:\\WINDOWS\\regedit.exe");
  StartRegistryEditor(shell_, prompt_, "C:\\WINDOWS", "Careful!");
  ASSERT_EQ(prompt_.Asked().size(), 2u) << "a successful start shows nothing more";
  EXPECT_EQ(prompt_.Asked()[1].text, "Careful!");
  EXPECT_EQ(prompt_.Asked()[1].style, 276);
  EXPECT_EQ(prompt_.Asked()[1].title, "Bootwarden");

  StartRegistryEditor(shell_, prompt_, "C:", "Careful!");
  EXPECT_EQ(shell_.CommandLines(), (std::vector<std::string>{"C:\\WINDOWS\\regedit.exe", "C:\\regedit.exe"}));
  ASSERT_EQ(prompt_.Asked().size(), 4u);
  EXPECT_NE(prompt_.Asked()[3].text.find("C:\\regedit.exe"), std::string::npos);
  EXPECT_NE(prompt_.Asked()[3].text.find(DefaultErrorText(kErrorFileNotFound)), std::string::npos);
  EXPECT_EQ(prompt_.Asked()[3].style, kMbOk | kMbIconCritical);

  // Notepad from the system folder on the DOS files.
  shell_.AddProgram("C:\\windows\\system32\\notepad.exe");
  EditDosFile(shell_, prompt_, kAutoexecBat, "Bootwarden");
  EditDosFile(shell_, prompt_, kConfigSys, "Bootwarden");
  EXPECT_EQ(std::vector<std::string>(shell_.CommandLines().begin() + 2, shell_.CommandLines().end()),
            (std::vector<std::string>{"C:\\windows\\system32\\notepad.exe c:\\autoexec.bat",
                                      "C:\\windows\\system32\\notepad.exe c:\\config.sys"}));
  EXPECT_EQ(prompt_.Asked().size(), 4u);
  shell_.FailStarts(kErrorAccessDenied);
  EditDosFile(shell_, prompt_, kConfigSys, "Bootwarden");
  ASSERT_EQ(prompt_.Asked().size(), 5u);
  EXPECT_EQ(prompt_.Asked()[4].title, "Bootwarden");
}

}  // namespace
