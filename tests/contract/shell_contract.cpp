#include "tests/contract/shell_contract.h"

#include "shared/text.h"

namespace {

bool IsFolder(shared::FileSystemPort& files, const std::string& path) {
  const auto attributes = files.GetAttributes(path);
  return attributes && attributes->directory;
}

}  // namespace

TEST_P(ShellContract, WindowsFolderExistsAndGetWinDirHasNoTrailingBackslash) {
  const std::string raw = ports_.windowsFolder->WindowsFolder();
  const std::string folder = shared::GetWinDir(*ports_.windowsFolder);
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  EXPECT_EQ(shared::ToLowerAscii(raw).rfind(shared::ToLowerAscii(folder), 0), 0u) << raw;
  EXPECT_TRUE(IsFolder(*ports_.files, folder)) << folder;
}

TEST_P(ShellContract, StartupFoldersAreFoundAndCreatedWhenMissingUnknownNumbersNot) {
  using shared::kCsidlFlagCreate;
  const auto user = ports_.shellFolders->GetFolderPath(shared::kCsidlStartup | kCsidlFlagCreate, 0);
  const auto common = ports_.shellFolders->GetFolderPath(shared::kCsidlCommonStartup | kCsidlFlagCreate, 0);
  ASSERT_EQ(user.result, shared::kSOk);
  ASSERT_EQ(common.result, shared::kSOk);
  ASSERT_FALSE(user.path.empty());
  EXPECT_NE(user.path.back(), '\\');
  EXPECT_NE(shared::ToLowerAscii(user.path), shared::ToLowerAscii(common.path));
  EXPECT_TRUE(IsFolder(*ports_.files, user.path));
  EXPECT_TRUE(IsFolder(*ports_.files, common.path));

  // The suites that use the folder leave it empty.
  ports_.removeEmptyFolder(user.path);
  ASSERT_FALSE(IsFolder(*ports_.files, user.path)) << "the folder should be empty here";
  const auto notCreated = ports_.shellFolders->GetFolderPath(shared::kCsidlStartup, 0);
  EXPECT_NE(notCreated.result, shared::kSOk);
  EXPECT_FALSE(IsFolder(*ports_.files, user.path));
  const auto created = ports_.shellFolders->GetFolderPath(shared::kCsidlStartup | kCsidlFlagCreate, 0);
  EXPECT_EQ(created.result, shared::kSOk);
  EXPECT_EQ(created.path, user.path);
  EXPECT_TRUE(IsFolder(*ports_.files, user.path));

  const auto unknown = ports_.shellFolders->GetFolderPath(0xFE | kCsidlFlagCreate, 0);
  EXPECT_EQ(unknown.result, shared::kEInvalidArg);
  EXPECT_EQ(unknown.path, "");
}

TEST_P(ShellContract, ShortcutsAreWrittenReplacedAndReadEvenToAMissingTarget) {
  const std::string first = At("first.exe");
  const std::string second = At("second.exe");
  ASSERT_TRUE(ports_.files->WriteFileAtomic(first, "MZ").ok());
  ASSERT_TRUE(ports_.files->WriteFileAtomic(second, "MZ").ok());
  const std::string link = At("Tool.lnk");
  ports_.files->RemoveFile(link).IgnoreError();

  // Arguments stay as written, slashes and quotes included.
  const std::string arguments = "/x \"two words\" -y";
  const shared::Status written = ports_.shortcuts->WriteShortcut(link, first, arguments);
  ASSERT_TRUE(written.ok()) << written.message();
  EXPECT_EQ(ports_.shortcuts->ReadTargetPath(link), first);
  EXPECT_EQ(ports_.shortcuts->ReadArguments(link), arguments);
  EXPECT_EQ(ports_.shortcuts->ReadTargetPath(At("tool.LNK")), first) << "file names compare without case";
  ASSERT_TRUE(ports_.shortcuts->WriteShortcut(link, second, "").ok());
  EXPECT_EQ(ports_.shortcuts->ReadTargetPath(link), second);
  EXPECT_EQ(ports_.shortcuts->ReadArguments(link), "");
  const auto listed = ports_.files->ListDirectory(GetParam().scratch);
  ASSERT_TRUE(listed.ok());
  int seen = 0;
  for (const auto& entry : listed.value()) seen += shared::EqualsIgnoreCase(entry.name, "Tool.lnk");
  EXPECT_EQ(seen, 1) << "an ordinary file in the folder listing";

  // Re-enabling a Startup entry writes its old target back, which may be gone by then.
  const std::string gone = At("Gone\\gone.exe");
  ASSERT_TRUE(ports_.shortcuts->WriteShortcut(link, gone, "").ok());
  EXPECT_EQ(shared::ToLowerAscii(ports_.shortcuts->ReadTargetPath(link)), shared::ToLowerAscii(gone));
}

TEST_P(ShellContract, WhatIsNoShortcutReadsEmpty) {
  ASSERT_TRUE(ports_.files->WriteFileAtomic(At("plain.lnk"), "not a shell link at all").ok());
  EXPECT_EQ(ports_.shortcuts->ReadTargetPath(At("plain.lnk")), "");
  EXPECT_EQ(ports_.shortcuts->ReadArguments(At("plain.lnk")), "");
  EXPECT_EQ(ports_.shortcuts->ReadTargetPath(At("missing.lnk")), "");
  EXPECT_EQ(ports_.shortcuts->ReadTargetPath(GetParam().scratch), "") << "a folder";
  EXPECT_EQ(ports_.shortcuts->ReadTargetPath(""), "");
  EXPECT_FALSE(ports_.shortcuts->WriteShortcut(At("no\\such\\folder\\x.lnk"), At("first.exe"), "").ok());
}
