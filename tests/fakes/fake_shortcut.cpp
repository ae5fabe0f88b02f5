#include "tests/fakes/fake_shortcut.h"

#include "shared/text.h"

namespace fakes {
namespace {
constexpr char kMagic[] = "FAKE-SHELL-LINK\n";
constexpr std::size_t kMagicLength = sizeof kMagic - 1;
}  // namespace

std::string FakeShortcut::Contents(const std::string& targetPath) { return kMagic + shared::UpToNul(targetPath); }

std::string FakeShortcut::ReadTargetPath(const std::string& shortcutPath) {
  auto contents = files_.ReadFile(shortcutPath);
  if (!contents.ok() || contents.value().compare(0, kMagicLength, kMagic) != 0) return {};
  return contents.value().substr(kMagicLength);
}

shared::Status FakeShortcut::WriteShortcut(const std::string& shortcutPath, const std::string& targetPath) {
  if (shared::UpToNul(shortcutPath).empty())
    return shared::Status::Error(shared::kErrorInvalidParameter, shared::DefaultErrorText(shared::kErrorInvalidParameter));
  return files_.WriteFileAtomic(shortcutPath, Contents(targetPath));
}

}  // namespace fakes
