#include "tests/fakes/fake_shortcut.h"

#include "shared/text.h"

namespace fakes {
namespace {
constexpr char kMagic[] = "FAKE-SHELL-LINK\n";
constexpr std::size_t kMagicLength = sizeof kMagic - 1;
}  // namespace

// The target on the first line after the magic one, the arguments after it.
std::string FakeShortcut::Contents(const std::string& targetPath, const std::string& arguments) {
  return kMagic + shared::UpToNul(targetPath) + "\n" + shared::UpToNul(arguments);
}

std::pair<std::string, std::string> FakeShortcut::Read(const std::string& shortcutPath) {
  auto contents = files_.ReadFile(shortcutPath);
  if (!contents.ok() || contents.value().compare(0, kMagicLength, kMagic) != 0) return {};
  const std::string rest = contents.value().substr(kMagicLength);
  const std::size_t end = rest.find('\n');
  if (end == std::string::npos) return std::make_pair(rest, std::string());
  return std::make_pair(rest.substr(0, end), rest.substr(end + 1));
}

std::string FakeShortcut::ReadTargetPath(const std::string& shortcutPath) { return Read(shortcutPath).first; }

std::string FakeShortcut::ReadArguments(const std::string& shortcutPath) { return Read(shortcutPath).second; }

shared::Status FakeShortcut::WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                                           const std::string& arguments) {
  if (shared::UpToNul(shortcutPath).empty())
    return shared::Status::Error(shared::kErrorInvalidParameter, shared::DefaultErrorText(shared::kErrorInvalidParameter));
  return files_.WriteFileAtomic(shortcutPath, Contents(targetPath, arguments));
}

}  // namespace fakes
