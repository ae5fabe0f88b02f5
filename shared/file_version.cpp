#include "shared/file_version.h"

#include <cstdio>
#include <cstring>

#include "shared/text.h"

namespace shared {

const std::array<const char*, FileVersionRecord::kFieldCount> FileVersionRecord::kKeys = {
    "CompanyName",  "FileDescription", "FileVersion",    "InternalName",
    "LegalCopyright", "OriginalFileName", "ProductName", "ProductVersion",
    "Comments",     "LegalTrademarks", "PrivateBuild",   "SpecialBuild"};

std::string GetShortPath(FileSystemPort& files, const std::string& path) {
  return files.GetShortPath(path);
}

std::string MissingFileMessage(FileSystemPort& files, const std::string& path) {
  // A path that does not exist has no short form; show it as given rather than empty quotes.
  std::string shown = GetShortPath(files, path);
  if (shown.empty()) shown = UpToNul(path);
  return "The file \"" + shown + "\" doesn't exist.";
}

std::string TranslationKey(std::uint16_t language, std::uint16_t codePage) {
  char key[9];
  std::snprintf(key, sizeof key, "%04X%04X", static_cast<unsigned>(language),
                static_cast<unsigned>(codePage));
  return key;
}

FileVersionRecord RecordFromBlock(const VersionBlock* block) {
  FileVersionRecord record;
  const auto translation = block ? block->Query("\\VarFileInfo\\Translation") : std::nullopt;
  if (translation && translation->size() >= 4) {
    const auto byte = [&](int i) { return static_cast<std::uint8_t>((*translation)[i]); };
    const std::string prefix =
        "\\StringFileInfo\\" +
        TranslationKey(static_cast<std::uint16_t>(byte(0) | byte(1) << 8),
                       static_cast<std::uint16_t>(byte(2) | byte(3) << 8)) +
        "\\";
    for (int field = 0; field < FileVersionRecord::kFieldCount; ++field) {
      const auto value = block->Query(prefix + FileVersionRecord::kKeys[field]);
      // Long values are kept whole rather than cut at a fixed buffer.
      record.fields[field] = value ? UpToNul(*value) : std::string(kVersionPlaceholder);
    }
  }

  for (auto& field : record.fields) {
    if (TrimSpaces(field).empty()) field = kVersionPlaceholder;
  }
  return record;
}

std::string FileVersionFromBlock(const VersionBlock* block) {
  const auto fixed = block ? block->Query("\\") : std::nullopt;
  // VS_FIXEDFILEINFO: signature, struct version, then dwFileVersionMS and dwFileVersionLS.
  if (!fixed || fixed->size() < 16) return {};
  std::uint32_t signature = 0, high = 0, low = 0;
  std::memcpy(&signature, fixed->data(), 4);
  std::memcpy(&high, fixed->data() + 8, 4);
  std::memcpy(&low, fixed->data() + 12, 4);
  if (signature != 0xFEEF04BDu) return {};
  return std::to_string(high >> 16) + "." + std::to_string(high & 0xFFFF) + "." +
         std::to_string(low >> 16) + "." + std::to_string(low & 0xFFFF);
}

// GetInfo asks for the size itself and gives nothing for a file without a resource, so a
// separate size query would only read the file twice.
FileVersionRecord GetFileVersionRecord(FileSystemPort& files, VersionPort& versions,
                                       const std::string& path) {
  if (!IsPlainFile(files, path)) {
    FileVersionRecord record;
    record.fields.fill(MissingFileMessage(files, path));
    return record;
  }
  return RecordFromBlock(versions.GetInfo(path).get());
}

std::string GetFileVersion(VersionPort& versions, const std::string& path) {
  return FileVersionFromBlock(versions.GetInfo(path).get());
}

const ModuleVersion& ModuleVersionCache::Read(const std::string& path, const FileAttributes& attributes) {
  const bool listed = !attributes.hidden && !attributes.system;
  Key key{UpToNul(path), attributes.size, attributes.lastWriteTime, listed};
  const auto found = modules_.find(key);
  if (found != modules_.end()) return found->second;
  const std::unique_ptr<VersionBlock> block = versions_.GetInfo(path);
  ModuleVersion module;
  module.version = FileVersionFromBlock(block.get());
  // A file a listing would not show counts as missing for the record.
  module.description = listed ? RecordFromBlock(block.get())[FileVersionRecord::kFileDescription]
                              : MissingFileMessage(files_, path);
  return modules_.emplace(std::move(key), std::move(module)).first->second;
}

}  // namespace shared
