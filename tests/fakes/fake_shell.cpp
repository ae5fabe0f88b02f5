#include "tests/fakes/fake_shell.h"

#include "shared/text.h"

namespace fakes {

void FakeShell::AddProgram(const std::string& path) { programs_.insert(shared::ToLowerAscii(path)); }

shared::Status FakeShell::OpenDocument(shared::WindowId owner, const std::string& verb, const std::string& target,
                                       int show) {
  opened_.push_back({owner, verb, target, show});
  if (failCode_ != 0) return shared::Status::Error(failCode_, shared::DefaultErrorText(failCode_));
  const std::string wanted = shared::ToLowerAscii(target);
  if (wanted.find("://") != std::string::npos || programs_.count(wanted) != 0)
    return shared::Status::Ok();
  return shared::Status::Error(shared::kErrorFileNotFound, shared::DefaultErrorText(shared::kErrorFileNotFound));
}

shared::Status FakeShell::RunCommandLine(const std::string& commandLine) {
  commandLines_.push_back(commandLine);
  if (failCode_ != 0) return shared::Status::Error(failCode_, shared::DefaultErrorText(failCode_));
  if (programs_.count(shared::ToLowerAscii(ProgramOf(commandLine))) != 0) return shared::Status::Ok();
  return shared::Status::Error(shared::kErrorFileNotFound, shared::DefaultErrorText(shared::kErrorFileNotFound));
}

std::string FakeShell::ProgramOf(const std::string& commandLine) {
  if (!commandLine.empty() && commandLine.front() == '"') {
    const auto close = commandLine.find('"', 1);
    return commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  return commandLine.substr(0, commandLine.find_first_of(" \t"));
}

}  // namespace fakes
