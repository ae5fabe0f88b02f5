#include "shared/file_system_port.h"

namespace shared {

bool FileExists(FileSystemPort& files, const std::string& path) {
  const auto attributes = files.GetAttributes(path);
  return attributes.has_value() && !attributes->directory;
}

bool IsPlainFile(FileSystemPort& files, const std::string& path) {
  const auto attributes = files.GetAttributes(path);
  return attributes.has_value() && !attributes->directory && !attributes->hidden && !attributes->system;
}

Result<std::vector<std::string>> ListPlainFiles(FileSystemPort& files, const std::string& folder) {
  auto listing = files.ListDirectory(folder);
  if (!listing.ok()) return listing.status();
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : listing.value()) {
    const FileAttributes& attributes = entry.attributes;
    if (!attributes.directory && !attributes.hidden && !attributes.system) names.push_back(entry.name);
  }
  return names;
}

Status RemoveFileIfPresent(FileSystemPort& files, const std::string& path) {
  const auto attributes = files.GetAttributes(path);
  if (!attributes) return Status::Ok();
  if (attributes->readOnly && !attributes->directory) {
    if (Status cleared = files.ClearReadOnly(path); !cleared.ok()) return cleared;
  }
  return files.RemoveFile(path);
}

}  // namespace shared
