#pragma once
#include "shared/shell_port.h"

namespace shared::win32 {

// ShellExecuteA for documents, CreateProcessA for command lines.
class Win32Shell final : public ShellPort {
 public:
  Status OpenDocument(WindowId owner, const std::string& verb, const std::string& target, int show) override;
  Status RunCommandLine(const std::string& commandLine) override;
  std::string SystemFolder() override;
};

}  // namespace shared::win32
