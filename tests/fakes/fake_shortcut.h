#pragma once
// Shortcuts as small files in the fake file system, so folder listings see them like real ones.
#include <string>
#include <utility>

#include "shared/shortcut_port.h"
#include "tests/fakes/fake_file_system.h"

namespace fakes {

class FakeShortcut final : public shared::ShortcutPort {
 public:
  explicit FakeShortcut(FakeFileSystem& files) : files_(files) {}

  std::string ReadTargetPath(const std::string& shortcutPath) override;
  std::string ReadArguments(const std::string& shortcutPath) override;
  shared::Status WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                               const std::string& arguments) override;

  // The contents a shortcut file to target has, for tests that lay files out by hand.
  static std::string Contents(const std::string& targetPath, const std::string& arguments = "");

 private:
  // Target and arguments; empty for a file that is no fake shortcut.
  std::pair<std::string, std::string> Read(const std::string& shortcutPath);

  FakeFileSystem& files_;
};

}  // namespace fakes
