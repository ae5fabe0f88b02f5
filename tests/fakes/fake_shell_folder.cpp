#include "tests/fakes/fake_shell_folder.h"

namespace fakes {
namespace {
constexpr std::int32_t kFolderMask = 0x00FF;  // CSIDL_FOLDER_MASK: the number without its flags
}

FakeShellFolder::FakeShellFolder(FakeFileSystem& files) : files_(files) {
  folders_[shared::kCsidlStartup] =
      "C:\\Users\\Tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
  folders_[shared::kCsidlCommonStartup] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
}

shared::ShellFolderReply FakeShellFolder::GetFolderPath(std::int32_t csidl, std::uint32_t flags) {
  const std::int32_t folder = csidl & kFolderMask;
  if (const auto reply = replies_.find(folder); reply != replies_.end()) return reply->second;
  const auto known = folders_.find(folder);
  if (known == folders_.end() || flags > 1) return {shared::kEInvalidArg, ""};
  const auto attributes = files_.GetAttributes(known->second);
  if (!attributes || !attributes->directory) {
    if ((csidl & shared::kCsidlFlagCreate) == 0) return {shared::kHresultFileNotFound, ""};
    files_.AddFolder(known->second);
  }
  return {shared::kSOk, known->second};
}

}  // namespace fakes
