#pragma once
// Records what would be started instead of starting it. Programs exist only when added; web
// addresses always open.
#include <set>
#include <string>
#include <vector>

#include "shared/shell_port.h"

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

  void AddProgram(const std::string& path);
  // Every start fails with this code from now on (0 to stop failing).
  void FailStarts(std::int32_t code) { failCode_ = code; }

  shared::Status OpenDocument(shared::WindowId owner, const std::string& verb, const std::string& target,
                              int show) override;
  shared::Status RunCommandLine(const std::string& commandLine) override;
  std::string SystemFolder() override { return systemFolder_; }

  // Every call, including those that failed.
  const std::vector<OpenedDocument>& Opened() const { return opened_; }
  const std::vector<std::string>& CommandLines() const { return commandLines_; }

 private:
  // The program a command line names: its first token, quotes removed.
  static std::string ProgramOf(const std::string& commandLine);

  std::string systemFolder_;
  std::set<std::string> programs_;  // lower case
  std::int32_t failCode_ = 0;
  std::vector<OpenedDocument> opened_;
  std::vector<std::string> commandLines_;
};

}  // namespace fakes
