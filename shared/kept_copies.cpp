#include "shared/kept_copies.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

#include "shared/text.h"

namespace shared {
namespace {

constexpr std::string_view kHeader = "Warden kept copy 1\r\n";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kCopyExtension = ".copy";
constexpr std::string_view kTemporaryExtension = ".tmp";
constexpr char kLocationTag[] = "location";
constexpr char kNameTag[] = "name";
constexpr std::size_t kHashDigits = 16;
// 256 subfolders: at 10,000 copies about 40 files each, and the folder itself holds at most 256.
constexpr std::size_t kBucketDigits = 2;

bool IsTag(std::string_view tag) {
  return !tag.empty() && std::all_of(tag.begin(), tag.end(), [](char c) { return (c >= 'a' && c <= 'z') || c == '-'; });
}

// FNV-1a, 64 bits: only a file name; the identity inside the copy decides whose it is.
std::string HashName(const KeptIdentity& identity) {
  std::uint64_t hash = 14695981039346656037ull;
  const auto feed = [&](std::string_view bytes) {
    for (const char c : bytes) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ull;
    }
  };
  feed(std::to_string(identity.location.size()));
  feed(":");
  feed(identity.location);
  feed(identity.name);
  constexpr char kDigits[] = "0123456789abcdef";
  std::string name(kHashDigits, '0');
  for (std::size_t i = kHashDigits; i-- > 0; hash >>= 4) name[i] = kDigits[hash & 0xF];
  return name;
}

// Lower-case: the names are compared after ToLowerAscii.
bool IsHex(std::string_view text, std::size_t digits) {
  return text.size() == digits &&
         std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

}  // namespace

const std::string* KeptCopy::Part(std::string_view tag) const {
  for (const auto& [name, bytes] : parts) {
    if (name == tag) return &bytes;
  }
  return nullptr;
}

std::string EncodeKeptCopy(const KeptCopy& copy) {
  std::string out(kHeader);
  const auto field = [&](std::string_view tag, std::string_view bytes) {
    out.append(tag).append(" ").append(std::to_string(bytes.size())).append(kCrLf);
    out.append(bytes).append(kCrLf);
  };
  field(kLocationTag, copy.identity.location);
  field(kNameTag, copy.identity.name);
  for (const auto& [tag, bytes] : copy.parts) field(tag, bytes);
  return out;
}

std::optional<KeptCopy> DecodeKeptCopy(std::string_view contents) {
  if (!contents.starts_with(kHeader)) return std::nullopt;
  contents.remove_prefix(kHeader.size());
  std::vector<std::pair<std::string, std::string>> fields;
  while (!contents.empty()) {
    const std::size_t lineEnd = contents.find(kCrLf);
    if (lineEnd == std::string_view::npos) return std::nullopt;
    const std::string_view line = contents.substr(0, lineEnd);
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || !IsTag(line.substr(0, blank))) return std::nullopt;
    const std::string_view digits = line.substr(blank + 1);
    std::size_t length = 0;
    const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), length);
    if (digits.empty() || parsed.ec != std::errc() || parsed.ptr != digits.data() + digits.size()) return std::nullopt;
    contents.remove_prefix(lineEnd + kCrLf.size());
    // A length past the end is a cut file.
    if (length > contents.size() || contents.size() - length < kCrLf.size() ||
        contents.substr(length, kCrLf.size()) != kCrLf)
      return std::nullopt;
    fields.emplace_back(std::string(line.substr(0, blank)), std::string(contents.substr(0, length)));
    contents.remove_prefix(length + kCrLf.size());
  }
  if (fields.size() < 2 || fields[0].first != kLocationTag || fields[1].first != kNameTag) return std::nullopt;
  KeptCopy copy{{std::move(fields[0].second), std::move(fields[1].second)}, {}};
  copy.parts.assign(std::make_move_iterator(fields.begin() + 2), std::make_move_iterator(fields.end()));
  return copy;
}

std::string KeptCopiesFolderOf(const std::string& storePath) {
  const std::size_t slash = storePath.find_last_of('\\');
  const std::size_t dot = storePath.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? storePath.substr(0, dot) : storePath) + ".kept";
}

std::string KeptCopies::PathOf(const KeptIdentity& identity) const {
  const std::string name = HashName(identity);
  return folder_ + "\\" + name.substr(0, kBucketDigits) + "\\" + name + std::string(kCopyExtension);
}

Status KeptCopies::Keep(const KeptCopy& copy) {
  const std::string path = PathOf(copy.identity);
  const std::string contents = EncodeKeptCopy(copy);
  // The folders are made by the first copy that needs them, not asked for by every copy.
  if (Status written = files_.WriteFileAtomic(path, contents); written.code() != kErrorPathNotFound) return written;
  for (const std::string& folder : {folder_, path.substr(0, path.find_last_of('\\'))}) {
    if (Status made = files_.CreateFolder(folder); !made.ok()) return made;
  }
  return files_.WriteFileAtomic(path, contents);
}

std::optional<KeptCopy> KeptCopies::Find(const KeptIdentity& identity) {
  // Then where an earlier version kept it: an entry it disabled is still to come back whole.
  for (const std::string& path : {PathOf(identity), folder_ + "\\" + HashName(identity) + std::string(kCopyExtension)}) {
    auto contents = files_.ReadFile(path);
    if (!contents.ok()) continue;
    auto copy = DecodeKeptCopy(contents.value());
    if (copy && copy->identity == identity) return copy;
  }
  return std::nullopt;
}

void KeptCopies::KeepOnly(const std::vector<KeptIdentity>& keep) {
  auto listing = files_.ListDirectory(folder_);
  if (!listing.ok()) return;
  std::vector<std::string> kept;
  kept.reserve(keep.size());
  for (const auto& identity : keep) kept.push_back(HashName(identity) + std::string(kCopyExtension));
  // Sorted once: a long store over a full folder would otherwise compare every pair.
  std::sort(kept.begin(), kept.end());
  const auto sweep = [&](const std::string& folder, const std::vector<DirectoryEntry>& entries) {
    for (const DirectoryEntry& entry : entries) {
      if (entry.attributes.directory) continue;
      const std::string name = ToLowerAscii(entry.name);
      std::string_view stem = name;
      // A temporary file is what a kill left of a write; the copy it was to replace is whole.
      const bool temporary = stem.ends_with(kTemporaryExtension);
      if (temporary) stem.remove_suffix(kTemporaryExtension.size());
      if (!stem.ends_with(kCopyExtension) || !IsHex(stem.substr(0, stem.size() - kCopyExtension.size()), kHashDigits))
        continue;
      if (!temporary && std::binary_search(kept.begin(), kept.end(), name)) continue;
      // The listing already tells what a second look per file would.
      const std::string path = folder + "\\" + entry.name;
      if (entry.attributes.readOnly && !files_.ClearReadOnly(path).ok()) continue;
      files_.RemoveFile(path).IgnoreError();
    }
  };
  // The folder itself holds what earlier versions kept. Emptied subfolders stay for the next
  // copies: removing one could also fail another instance's write into it.
  sweep(folder_, listing.value());
  for (const DirectoryEntry& entry : listing.value()) {
    if (!entry.attributes.directory || !IsHex(ToLowerAscii(entry.name), kBucketDigits)) continue;
    const std::string bucket = folder_ + "\\" + entry.name;
    if (auto inside = files_.ListDirectory(bucket); inside.ok()) sweep(bucket, inside.value());
  }
}

}  // namespace shared
