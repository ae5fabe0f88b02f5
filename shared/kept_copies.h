#pragma once
// Kept copies of disabled entries: what an entry was, byte for byte, before Disable took it out
// of its location, so Enable can give back exactly that and not only what a row's six texts can
// hold. One file per entry in a folder beside the disabled-entry store, named from a hash of the
// entry's identity (its location and its name there) and never from row text, so no row can
// steer a path out of the folder. The files are spread over 256 subfolders by the hash's first
// two digits: Wine looks for a name that is not there by reading the whole folder, and every
// safe write asks for two such names. Earlier versions kept every copy in the folder itself;
// those are still found there and cleaned up. The identity is written inside the copy and checked on
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
  // Folder + "\" + the hash's first 2 hex digits + "\" + all 16 of them + ".copy".
  std::string PathOf(const KeptIdentity& identity) const;

  // Written atomically (temporary file beside it, flushed, moved over), the folders made when
  // missing. Must succeed before the entry leaves its location.
  Status Keep(const KeptCopy& copy);
  // The copy of exactly that identity, at PathOf or else where an earlier version kept it
  // (Folder + "\" + 16 hex digits + ".copy"); none when missing, unreadable, malformed or
  // another's.
  std::optional<KeptCopy> Find(const KeptIdentity& identity);
  // Deletes every copy (and every leftover temporary file of one), in the subfolders and in the
  // folder itself, whose identity is not among those to keep; other files and the subfolders
  // are left alone. Failures are quiet: a copy that stays is only a file too many.
  void KeepOnly(const std::vector<KeptIdentity>& keep);

 private:
  FileSystemPort& files_;
  std::string folder_;
};

}  // namespace shared
