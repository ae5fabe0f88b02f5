#pragma once
#include "shared/file_system_port.h"

namespace shared::win32 {

// The real file system through the ANSI functions of kernel32.
class Win32FileSystem final : public FileSystemPort {
 public:
  std::optional<FileAttributes> GetAttributes(const std::string& path) override;
  std::string GetShortPath(const std::string& path) override;
  Result<std::vector<DirectoryEntry>> ListDirectory(const std::string& folder) override;
  Result<std::string> ReadFile(const std::string& path) override;
  Status WriteFileAtomic(const std::string& path, const std::string& contents) override;
  Status AppendFile(const std::string& path, const std::string& contents) override;
  Status RemoveFile(const std::string& path) override;
  Status ClearReadOnly(const std::string& path) override;
  Status CreateFolder(const std::string& path) override;
};

}  // namespace shared::win32
