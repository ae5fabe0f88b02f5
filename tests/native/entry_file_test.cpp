#include <gtest/gtest.h>

#include "shared/entry_file.h"
#include "tests/fakes/fake_file_system.h"

namespace {

using shared::EntryFields;

const EntryFields kFirst{"Contoso Helper", "Disabled", "Helper", "1.0.0.1", "C:\\x.dll", "{A1}"};
const EntryFields kSecond{"UnKnown", "ERROR", "BHO is not Registred", "", "", "{A2}"};

TEST(EntryFile, SixCrLfLinesPerRowAndBackAgain) {
  const std::string text = shared::FormatEntryFile({kFirst, kSecond});
  EXPECT_EQ(text.substr(0, 53), "Contoso Helper\r\nDisabled\r\nHelper\r\n1.0.0.1\r\nC:\\x.dll\r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);
  EXPECT_EQ(shared::ParseEntryFile(text), (std::vector<EntryFields>{kFirst, kSecond}));
  EXPECT_TRUE(shared::ParseEntryFile("").empty());
}

TEST(EntryFile, ReadingStopsAtAnEmptyFirstLine) {
  const std::string two = shared::FormatEntryFile({kFirst, kSecond});
  EXPECT_EQ(shared::ParseEntryFile(two + "\r\n\r\n\r\n").size(), 2u) << "trailing empty lines";
  EXPECT_EQ(shared::ParseEntryFile(shared::FormatEntryFile({kFirst}) + "\r\n" + shared::FormatEntryFile({kSecond})).size(),
            1u) << "what follows an empty first line is ignored";
  EXPECT_TRUE(shared::ParseEntryFile("\r\n" + two).empty());
  // Empty fields inside a row are fine; only the first line of a row ends the file.
  EXPECT_EQ(shared::ParseEntryFile(shared::FormatEntryFile({kSecond, kFirst})).size(), 2u);
  // A row's own empty or blank name never does, and reads back as it was.
  const std::vector<EntryFields> blanks{{"", "Disabled"}, {" ", "Disabled"}, kFirst};
  EXPECT_EQ(shared::ParseEntryFile(shared::FormatEntryFile(blanks)), blanks);
}

TEST(EntryFile, ShortLastRowKeepsWhatItHasAndLineBreaksInFieldsCannotShiftRows) {
  const auto rows = shared::ParseEntryFile(shared::FormatEntryFile({kFirst}) + "Cut Short\r\nEnabled");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], (EntryFields{"Cut Short", "Enabled", "", "", "", ""}));
  EXPECT_EQ(shared::ParseEntryFile("Bare LF\nDisabled\n\n\n\n{B}\n")[0][5], "{B}");

  // A line break inside a field cannot shift the rows.
  const EntryFields odd{"Two\r\nLines", "Disabled", "Helper \rpaths", "C:\\A longer\npath.dll", "1.0\n", "{C}"};
  const EntryFields breaksOnly{"\r\n", "Disabled", "", "", "", "{D}"};
  const auto shifted = shared::ParseEntryFile(shared::FormatEntryFile({odd, breaksOnly, kFirst}));
  ASSERT_EQ(shifted.size(), 3u);
  EXPECT_EQ(shifted[0], (EntryFields{"Two  Lines", "Disabled", "Helper  paths", "C:\\A longer path.dll", "1.0 ", "{C}"}));
  EXPECT_EQ(shifted[1][0], "  ");
  EXPECT_EQ(shifted[2], kFirst);
}

TEST(EntryFile, FilesAreReplacedWholeAndMissingReadsEmpty) {
  fakes::FakeFileSystem files;
  files.AddFolder("C:\\Windows");
  const std::string path = "C:\\Windows\\SaveBHOProf.pro";
  EXPECT_TRUE(shared::ReadEntryFile(files, path).value_or({kFirst}).empty());
  ASSERT_TRUE(shared::WriteEntryFile(files, {kFirst, kSecond}, path).ok());
  ASSERT_TRUE(shared::WriteEntryFile(files, {kSecond}, path).ok());
  EXPECT_EQ(shared::ReadEntryFile(files, path).value_or({}), std::vector<EntryFields>{kSecond});
  EXPECT_TRUE(shared::WriteEntryFile(files, {kFirst}, "").ok());
  files.FailWrites(true);
  EXPECT_FALSE(shared::WriteEntryFile(files, {kFirst}, path).ok());
  EXPECT_EQ(shared::ReadEntryFile(files, path).value_or({}), std::vector<EntryFields>{kSecond}) << "old file kept";
}

#ifndef _WIN32
TEST(Result, TheValueOfAFailureEndsTheProgramLoudly) {
  const shared::Result<int> failed = shared::Status::Error(shared::kErrorAccessDenied, "denied");
  EXPECT_DEATH((void)failed.value(), "Result::value\\(\\) on a failure \\(5\\): denied");
}
#endif

}  // namespace
