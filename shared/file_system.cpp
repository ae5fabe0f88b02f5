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

}  // namespace shared
