#pragma once
// Records what would be started instead of starting it. Programs exist only when added; web
// addresses always open.
#include <set>
#include <string>
#include <vector>

#include "shared/shell_port.h"
#include "shared/text.h"

namespace fakes {

struct OpenedDocument {
  shared::WindowId owner = 0;
  std::string verb;
  std::string target;
  int show = -1;
  friend bool operator==(const OpenedDocument&, const OpenedDocument&) = default;
};

class FakeShell final : public shared::ShellPort {
 public:
  explicit FakeShell(std::string systemFolder = "C:\\windows\\system32") : systemFolder_(std::move(systemFolder)) {}

  void AddProgram(const std::string& path) { programs_.insert(shared::ToLowerAscii(path)); }
  // Every start fails with this code from now on (0 to stop failing).
  void FailStarts(std::int32_t code) { failCode_ = code; }

  shared::Status OpenDocument(shared::WindowId owner, const std::string& verb, const std::string& target,
                              int show) override {
    opened_.push_back({owner, verb, target, show});
    const std::string wanted = shared::ToLowerAscii(target);
    return Outcome(wanted.find("://") != std::string::npos || programs_.count(wanted) != 0);
  }
  shared::Status RunCommandLine(const std::string& commandLine) override {
    commandLines_.push_back(commandLine);
    return Outcome(programs_.count(shared::ToLowerAscii(ProgramOf(commandLine))) != 0);
  }
  std::string SystemFolder() override { return systemFolder_; }

  // Every call, including those that failed.
  const std::vector<OpenedDocument>& Opened() const { return opened_; }
  const std::vector<std::string>& CommandLines() const { return commandLines_; }

 private:
  // The program a command line names: its first token, quotes removed.
  static std::string ProgramOf(const std::string& commandLine) {
    if (commandLine.empty() || commandLine.front() != '"')
      return commandLine.substr(0, commandLine.find_first_of(" \t"));
    const auto close = commandLine.find('"', 1);
    return commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  // The scripted failure, else success for what exists and "not found" for the rest.
  shared::Status Outcome(bool exists) const {
    const std::int32_t code = failCode_ != 0 ? failCode_ : exists ? 0 : shared::kErrorFileNotFound;
    return code == 0 ? shared::Status::Ok() : shared::Status::Error(code, shared::DefaultErrorText(code));
  }

  std::string systemFolder_;
  std::set<std::string> programs_;  // lower case
  std::int32_t failCode_ = 0;
  std::vector<OpenedDocument> opened_;
  std::vector<std::string> commandLines_;
};

}  // namespace fakes
