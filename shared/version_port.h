#pragma once
// Version resources of files (the version library). Adapters: shared/win32/win32_version.h and
// tests/fakes/fake_version.h.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace shared {

// A file's whole version resource, read once and queried many times.
class VersionBlock {
 public:
  virtual ~VersionBlock() = default;
  // VerQueryValueA: the bytes of a sub-block ("\\", "\\VarFileInfo\\Translation",
  // "\\StringFileInfo\\040904B0\\CompanyName"); string values end at their NUL. Nothing when the
  // query fails.
  virtual std::optional<std::string> Query(const std::string& subBlock) const = 0;
};

class VersionPort {
 public:
  virtual ~VersionPort() = default;
  // GetFileVersionInfoSizeA: 0 when the file has no version resource.
  virtual std::uint32_t GetInfoSize(const std::string& path) = 0;
  // GetFileVersionInfoA; null on failure.
  virtual std::unique_ptr<VersionBlock> GetInfo(const std::string& path) = 0;
};

}  // namespace shared
