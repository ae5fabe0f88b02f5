#pragma once
// Version-resource texts of a file, as Plugwarden shows them for a module.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>

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

// The same two readings from a resource already read (null: the file has none).
FileVersionRecord RecordFromBlock(const VersionBlock* block);
std::string FileVersionFromBlock(const VersionBlock* block);

// What the list shows of a module: GetFileVersion's text and the record's FileDescription.
struct ModuleVersion {
  std::string version;
  std::string description;
};

// One enumeration's reads of module version resources: each module is read once, however many
// objects it serves. Keyed by path, size, write time and whether a listing would show the file,
// so a module replaced meanwhile is read anew and every result equals a fresh read.
class ModuleVersionCache {
 public:
  ModuleVersionCache(FileSystemPort& files, VersionPort& versions) : files_(files), versions_(versions) {}
  // For a path whose attributes were just read: an existing file, not a folder.
  const ModuleVersion& Read(const std::string& path, const FileAttributes& attributes);

 private:
  using Key = std::tuple<std::string, std::uint64_t, std::uint64_t, bool>;
  FileSystemPort& files_;
  VersionPort& versions_;
  std::map<Key, ModuleVersion> modules_;
};

}  // namespace shared
