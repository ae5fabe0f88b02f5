#pragma once
// Kept copies of disabled entries: what an entry was, byte for byte, before Disable took it out
// of its location, so Enable can give back exactly that and not only what a row's six texts can
// hold. One file per entry in a folder beside the disabled-entry store, named from a hash of the
// entry's identity (its location and its name there) and never from row text, so no row can
// steer a path out of the folder. The identity is written inside the copy and checked on
// reading: a copy that does not match, or cannot be parsed, counts as no copy.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shared/file_system_port.h"

namespace shared {

// Who an entry is: where it lives and its name there. Compared exactly.
struct KeptIdentity {
  std::string location;
  std::string name;
  friend bool operator==(const KeptIdentity&, const KeptIdentity&) = default;
};

struct KeptCopy {
  KeptIdentity identity;
  // Tagged byte strings in order; what they mean is the program's business. A tag is lower-case
  // letters and '-'.
  std::vector<std::pair<std::string, std::string>> parts;

  void Add(std::string tag, std::string bytes) { parts.emplace_back(std::move(tag), std::move(bytes)); }
  // The first part of that tag, null when there is none.
  const std::string* Part(std::string_view tag) const;
};

// The copy as stored: a header line, then each field as "<tag> <length>" CR LF, the bytes, CR LF.
std::string EncodeKeptCopy(const KeptCopy& copy);
std::optional<KeptCopy> DecodeKeptCopy(std::string_view contents);

// "C:\Windows\SaveProf.pro" keeps its copies in "C:\Windows\SaveProf.kept".
std::string KeptCopiesFolderOf(const std::string& storePath);

class KeptCopies {
 public:
  KeptCopies(FileSystemPort& files, std::string folder) : files_(files), folder_(std::move(folder)) {}

  const std::string& Folder() const { return folder_; }
  // Folder + "\" + 16 hex digits of the identity's hash + ".copy".
  std::string PathOf(const KeptIdentity& identity) const;

  // Written atomically (temporary file in the folder, flushed, moved over), the folder made
  // when missing. Must succeed before the entry leaves its location.
  Status Keep(const KeptCopy& copy);
  // The copy of exactly that identity; none when missing, unreadable, malformed or another's.
  std::optional<KeptCopy> Find(const KeptIdentity& identity);
  // Deletes every copy (and every leftover temporary file of one) whose identity is not among
  // those to keep; other files of the folder are left alone. Failures are quiet: a copy that
  // stays is only a file too many.
  void KeepOnly(const std::vector<KeptIdentity>& keep);

 private:
  FileSystemPort& files_;
  std::string folder_;
};

}  // namespace shared
