#pragma once
// Version-resource texts of a file, as Plugwarden shows them for a module.
#include <array>
#include <cstdint>
#include <string>

#include "shared/file_system_port.h"
#include "shared/version_port.h"

namespace shared {

inline constexpr char kVersionPlaceholder[] = "This property could not be retreived.";

struct FileVersionRecord {
  enum Field {
    kCompanyName,
    kFileDescription,
    kFileVersion,
    kInternalName,
    kLegalCopyright,
    kOriginalFileName,
    kProductName,
    kProductVersion,
    kComments,
    kLegalTrademarks,
    kPrivateBuild,
    kSpecialBuild,
    kFieldCount
  };
  static const std::array<const char*, kFieldCount> kKeys;

  std::array<std::string, kFieldCount> fields;
  const std::string& operator[](Field field) const { return fields[field]; }
};

// The short (8.3) form of a path; "" when the platform gives none.
std::string GetShortPath(FileSystemPort& files, const std::string& path);

// The "does not exist" text for a path.
std::string MissingFileMessage(FileSystemPort& files, const std::string& path);

// Language key of a translation entry: language word then code page, eight upper-case hex digits.
std::string TranslationKey(std::uint16_t language, std::uint16_t codePage);

// Always a complete record: the resource's values, the placeholder where one cannot be read, or
// the missing-file message in every field when the file is not there (or is hidden or system).
FileVersionRecord GetFileVersionRecord(FileSystemPort& files, VersionPort& versions,
                                       const std::string& path);

// The fixed file version of the resource as "a.b.c.d"; "" without a resource.
std::string GetFileVersion(VersionPort& versions, const std::string& path);

}  // namespace shared
