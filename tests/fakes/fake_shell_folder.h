#pragma once
// Special folders kept in the fake file system, answered by the shell's rules: an unknown folder
// number is E_INVALIDARG, a missing folder is created only when asked to.
#include <map>
#include <string>

#include "shared/shell_folder_port.h"
#include "tests/fakes/fake_file_system.h"

namespace fakes {

class FakeShellFolder final : public shared::ShellFolderPort {
 public:
  // Knows the two Startup folders under "C:\Users\Tester" and "C:\ProgramData".
  explicit FakeShellFolder(FakeFileSystem& files);

  shared::ShellFolderReply GetFolderPath(std::int32_t csidl, std::uint32_t flags) override;

  // A fixed reply for a folder number, whatever the disk holds.
  void SetReply(std::int32_t csidl, shared::ShellFolderReply reply) { replies_[csidl] = std::move(reply); }

 private:
  FakeFileSystem& files_;
  std::map<std::int32_t, std::string> folders_;
  std::map<std::int32_t, shared::ShellFolderReply> replies_;
};

}  // namespace fakes
