#include <gtest/gtest.h>

#include "shared/file_version.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_version.h"

namespace {

using shared::FileVersionRecord;
using shared::kVersionPlaceholder;

class FileVersionTest : public ::testing::Test {
 protected:
  FileVersionRecord Read(const std::string& path) { return shared::GetFileVersionRecord(files_, versions_, path); }
  fakes::FakeFileSystem files_;
  fakes::FakeVersion versions_;
};

TEST_F(FileVersionTest, ValuesUnderTheFirstTranslationAndPlaceholdersElsewhereOrWithoutOne) {
  files_.AddFile("C:\\mod.dll");
  versions_.Add("C:\\mod.dll", {.strings = {{"FileDescription", "Helper Module"}, {"CompanyName", "   "},
                                             {"ProductName", ""}, {"InternalName", "  padded  "}}});
  const FileVersionRecord record = Read("c:\\MOD.dll");
  EXPECT_EQ(record[FileVersionRecord::kFileDescription], "Helper Module");
  EXPECT_EQ(record[FileVersionRecord::kComments], kVersionPlaceholder) << "missing key";
  EXPECT_EQ(record[FileVersionRecord::kCompanyName], kVersionPlaceholder) << "only spaces";
  EXPECT_EQ(record[FileVersionRecord::kProductName], kVersionPlaceholder) << "empty";
  EXPECT_EQ(record[FileVersionRecord::kInternalName], "  padded  ") << "never trimmed";

  // No translation: twelve placeholders (no resource at all, and long values, are the Wine test's).
  files_.AddFile("C:\\notrans.dll");
  versions_.Add("C:\\notrans.dll", {.hasTranslation = false, .strings = {{"FileDescription", "Unreachable"}}});
  for (const auto& field : Read("C:\\notrans.dll").fields) EXPECT_EQ(field, kVersionPlaceholder);
}

TEST_F(FileVersionTest, HiddenAndSystemFilesAndFoldersGetTheMessageEverywhere) {
  files_.AddFile("C:\\Program Files\\hidden.dll", "", {.hidden = true});
  files_.SetShortPath("C:\\Program Files\\hidden.dll", "C:\\PROGRA~1\\hidden.dll");
  files_.AddFile("C:\\sys.dll", "", {.system = true});
  for (const auto& field : Read("C:\\Program Files\\hidden.dll").fields)
    EXPECT_EQ(field, "The file \"C:\\PROGRA~1\\hidden.dll\" doesn't exist.");
  EXPECT_EQ(Read("C:\\sys.dll")[FileVersionRecord::kSpecialBuild], "The file \"C:\\sys.dll\" doesn't exist.");
  files_.AddFolder("C:\\Folder.dll");
  EXPECT_EQ(Read("C:\\Folder.dll")[FileVersionRecord::kFileVersion], "The file \"C:\\Folder.dll\" doesn't exist.");
}

// The key is the language, then the code page, in upper hex; a language word with its high bit
// set must not overflow into a wrong key.
TEST_F(FileVersionTest, TranslationKeyAndTheFixedInfosFileVersion) {
  EXPECT_EQ(shared::TranslationKey(0x0007, 0x04E4), "000704E4");
  EXPECT_EQ(shared::TranslationKey(0x8409, 0xFFFF), "8409FFFF");

  versions_.Add("C:\\v.dll", {.fileVersion = {6, 0, 2900, 65535}, .strings = {}});
  EXPECT_EQ(shared::GetFileVersion(versions_, "C:\\v.dll"), "6.0.2900.65535");
  EXPECT_EQ(shared::GetFileVersion(versions_, "C:\\none.dll"), "");
  versions_.Add("C:\\nofixed.dll", {.hasFixedInfo = false, .strings = {}});
  EXPECT_EQ(shared::GetFileVersion(versions_, "C:\\nofixed.dll"), "");
}

}  // namespace
