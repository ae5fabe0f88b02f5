#include "tests/contract/file_system_contract.h"

#include <algorithm>

using namespace std::string_literals;

namespace {

void RemoveTree(shared::FileSystemPort& files, const std::string& folder) {
  auto entries = files.ListDirectory(folder);
  if (!entries.ok()) return;
  for (const auto& entry : entries.value())
    if (!entry.attributes.directory) files.RemoveFile(folder + "\\" + entry.name).IgnoreError();
}

std::vector<std::string> Names(shared::FileSystemPort& files, const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : files.ListDirectory(folder).value_or({})) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

void FileSystemContract::SetUp() {
  files_ = GetParam().make();
  // A folder per test: the port removes files, not folders.
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '_');
  folder_ = GetParam().scratch + "\\" + name;
  ASSERT_TRUE(files_->CreateFolder(folder_).ok());
  RemoveTree(*files_, folder_);
}

void FileSystemContract::TearDown() { RemoveTree(*files_, folder_); }

TEST_P(FileSystemContract, ExistenceAndPlainFiles) {
  ASSERT_TRUE(files_->WriteFileAtomic(At("module.dll"), "MZ").ok());
  ASSERT_TRUE(files_->CreateFolder(At("Sub")).ok());
  EXPECT_TRUE(files_->CreateFolder(At("Sub")).ok()) << "an existing folder is fine";
  EXPECT_FALSE(files_->CreateFolder(At("No\\Parent")).ok());

  EXPECT_TRUE(shared::FileExists(*files_, At("MODULE.DLL"))) << "names compare without case";
  EXPECT_TRUE(shared::IsPlainFile(*files_, At("module.dll")));
  EXPECT_FALSE(shared::FileExists(*files_, At("Sub")));
  EXPECT_FALSE(shared::FileExists(*files_, At("absent.dll")));
  EXPECT_TRUE(shared::FileExists(*files_, At("module.dll") + "\0trailing"s)) << "a path ends at its NUL";
  EXPECT_FALSE(shared::FileExists(*files_, "\0"s));

  EXPECT_EQ(files_->GetShortPath(At("absent.dll")), "");
  EXPECT_FALSE(files_->GetShortPath(At("module.dll")).empty());
}

TEST_P(FileSystemContract, AtomicWriteReplacesWholeLeavesNoTemporaryAndAppendAppends) {
  const std::string path = At("SaveProf.pro");
  ASSERT_TRUE(files_->WriteFileAtomic(path, "first\r\n").ok());
  ASSERT_TRUE(files_->WriteFileAtomic(path, "second\r\nline\r\n").ok());
  EXPECT_EQ(files_->ReadFile(path).value_or(""), "second\r\nline\r\n");
  EXPECT_EQ(Names(*files_, folder_), std::vector<std::string>{"SaveProf.pro"});

  EXPECT_FALSE(files_->WriteFileAtomic(At("Missing\\x.pro"), "x").ok());
  EXPECT_FALSE(files_->ReadFile(At("none.pro")).ok());
  EXPECT_FALSE(files_->RemoveFile(At("none.pro")).ok());
  EXPECT_TRUE(files_->RemoveFile(path).ok());
  EXPECT_FALSE(shared::FileExists(*files_, path));

  const std::string log = At("errorlog.txt");
  ASSERT_TRUE(files_->AppendFile(log, "one\r\n").ok()) << "append creates";
  ASSERT_TRUE(files_->AppendFile(log, "two\r\n").ok());
  EXPECT_EQ(files_->ReadFile(log).value_or(""), "one\r\ntwo\r\n");
  const std::string binary = "a\0b\xff\r\n"s;
  ASSERT_TRUE(files_->WriteFileAtomic(log, binary).ok());
  EXPECT_EQ(files_->ReadFile(log).value_or(""), binary) << "bytes pass unchanged";
}

TEST_P(FileSystemContract, ReadOnlyFilesResistRemovalUntilCleared) {
  const std::string path = At("SaveProf.pro");
  ASSERT_TRUE(files_->WriteFileAtomic(path, "x\r\n").ok());
  GetParam().makeReadOnly(*files_, path);
  ASSERT_TRUE(files_->GetAttributes(path)->readOnly);
  EXPECT_FALSE(files_->RemoveFile(path).ok());
  EXPECT_TRUE(shared::RemoveFileIfPresent(*files_, path).ok());
  EXPECT_FALSE(files_->GetAttributes(path));
  EXPECT_TRUE(shared::RemoveFileIfPresent(*files_, path).ok()) << "a missing file is fine";
  EXPECT_FALSE(files_->ClearReadOnly(path).ok());
}

TEST_P(FileSystemContract, ListingShowsFilesAndFoldersOnly) {
  ASSERT_TRUE(files_->WriteFileAtomic(At("Tool.lnk"), "L").ok());
  ASSERT_TRUE(files_->WriteFileAtomic(At("readme.txt"), "r").ok());
  ASSERT_TRUE(files_->CreateFolder(At("Folder")).ok());
  EXPECT_EQ(Names(*files_, folder_), (std::vector<std::string>{"Folder", "Tool.lnk", "readme.txt"}));
  for (const auto& entry : files_->ListDirectory(folder_).value_or({}))
    EXPECT_EQ(entry.attributes.directory, entry.name == "Folder") << entry.name;
  EXPECT_TRUE(files_->ListDirectory(At("Folder")).value_or({{"x", {}}}).empty());
  EXPECT_FALSE(files_->ListDirectory(At("Nowhere")).ok());
}
