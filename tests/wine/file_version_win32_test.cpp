// Version records read from modules the build makes with windres.
#include <windows.h>

#include <gtest/gtest.h>

#include "shared/file_version.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_version.h"
#include "tests/wine/test_paths.h"

namespace {

using shared::FileVersionRecord;
using shared::kVersionPlaceholder;

class FileVersionWin32Test : public ::testing::Test {
 protected:
  FileVersionRecord Read(const std::string& path) { return shared::GetFileVersionRecord(files_, versions_, path); }
  std::string Module(const char* name) { return testing_support::ExecutableFolder() + "\\" + name; }
  shared::win32::Win32FileSystem files_;
  shared::win32::Win32Version versions_;
};

TEST_F(FileVersionWin32Test, ResourceWithTheCommonTranslation) {
  const FileVersionRecord record = Read(Module("warden_versioned_module.dll"));
  EXPECT_EQ(record[FileVersionRecord::kCompanyName], "Warden Test Makers");
  EXPECT_EQ(record[FileVersionRecord::kFileDescription], "Warden Test Module");
  EXPECT_EQ(record[FileVersionRecord::kFileVersion], "1.2.3.4");
  EXPECT_EQ(record[FileVersionRecord::kInternalName], kVersionPlaceholder) << "three spaces";
  EXPECT_EQ(record[FileVersionRecord::kLegalCopyright], std::string(300, 'L')) << "long value whole";
  EXPECT_EQ(record[FileVersionRecord::kOriginalFileName], "warden_versioned_module.dll");
  EXPECT_EQ(record[FileVersionRecord::kComments], kVersionPlaceholder);
  EXPECT_EQ(record[FileVersionRecord::kSpecialBuild], kVersionPlaceholder);
  EXPECT_EQ(shared::GetFileVersion(versions_, Module("warden_versioned_module.dll")), "1.2.3.4");
}

TEST_F(FileVersionWin32Test, ModuleWithoutResourceAndTextFile) {
  for (const auto& field : Read(Module("warden_plain_module.dll")).fields) EXPECT_EQ(field, kVersionPlaceholder);
  EXPECT_EQ(shared::GetFileVersion(versions_, Module("warden_plain_module.dll")), "");
  const std::string text = testing_support::ScratchFolder("version") + "\\notes.txt";
  ASSERT_TRUE(files_.WriteFileAtomic(text, "plain text\r\n").ok());
  for (const auto& field : Read(text).fields) EXPECT_EQ(field, kVersionPlaceholder);
}

TEST_F(FileVersionWin32Test, HiddenAndMissingFilesGetTheMessage) {
  const std::string folder = testing_support::ScratchFolder("version");
  const std::string hidden = folder + "\\hidden module.dll";
  ASSERT_TRUE(::CopyFileA(Module("warden_versioned_module.dll").c_str(), hidden.c_str(), FALSE));
  ASSERT_TRUE(::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const std::string shortPath = shared::GetShortPath(files_, hidden);
  ASSERT_FALSE(shortPath.empty());
  for (const auto& field : Read(hidden).fields) EXPECT_EQ(field, "The file \"" + shortPath + "\" doesn't exist.");
  ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::DeleteFileA(hidden.c_str());

  const std::string missing = folder + "\\gone.dll";
  EXPECT_EQ(shared::GetShortPath(files_, missing), "");
  EXPECT_EQ(Read(missing)[FileVersionRecord::kProductName], "The file \"" + missing + "\" doesn't exist.");
}

// The cache tells one version of a module from another by size and write time.
TEST_F(FileVersionWin32Test, AttributesCarryTheSizeAndWriteTime) {
  const std::string copy = testing_support::ScratchFolder("version") + "\\stamped.dll";
  ASSERT_TRUE(files_.WriteFileAtomic(copy, std::string(1234, 'x')).ok());
  const auto before = files_.GetAttributes(copy);
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(before->size, 1234u);
  EXPECT_NE(before->lastWriteTime, 0u);
  HANDLE file = ::CreateFileA(copy.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  FILETIME later{};
  later.dwLowDateTime = static_cast<DWORD>(before->lastWriteTime + 10'000'000);
  later.dwHighDateTime = static_cast<DWORD>((before->lastWriteTime + 10'000'000) >> 32);
  ::SetFileTime(file, nullptr, nullptr, &later);
  ::CloseHandle(file);
  EXPECT_EQ(files_.GetAttributes(copy)->lastWriteTime, before->lastWriteTime + 10'000'000);
  ::DeleteFileA(copy.c_str());
}

}  // namespace
