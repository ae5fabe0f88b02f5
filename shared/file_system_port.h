#pragma once
// Files and folders as the programs use them. Paths are Windows paths in the ANSI code page; a
// path handed in ends at its first NUL, as it does for the C functions. Adapters:
// shared/win32/win32_file_system.h and tests/fakes/fake_file_system.h.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shared/status.h"

namespace shared {

struct FileAttributes {
  bool directory = false;
  bool hidden = false;
  bool system = false;
  bool readOnly = false;
  // Size in bytes and last write time (FILETIME ticks): with the path they tell one version of
  // a file from another.
  std::uint64_t size = 0;
  std::uint64_t lastWriteTime = 0;
};

struct DirectoryEntry {
  std::string name;  // file name only
  FileAttributes attributes;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;

  // GetFileAttributesExA; nothing when the path does not exist.
  virtual std::optional<FileAttributes> GetAttributes(const std::string& path) = 0;
  // GetShortPathNameA; "" when the platform gives no short form (for example a missing path).
  virtual std::string GetShortPath(const std::string& path) = 0;
  // The entries of a folder in the platform's listing order, "." and ".." left out.
  virtual Result<std::vector<DirectoryEntry>> ListDirectory(const std::string& folder) = 0;

  virtual Result<std::string> ReadFile(const std::string& path) = 0;
  // Writes a temporary file beside the target, flushes it and moves it over the target, so the
  // old contents stay whole when anything fails.
  virtual Status WriteFileAtomic(const std::string& path, const std::string& contents) = 0;
  // Appends to the file, creating it when missing.
  virtual Status AppendFile(const std::string& path, const std::string& contents) = 0;
  virtual Status RemoveFile(const std::string& path) = 0;
  // Takes the read-only attribute off a file (SetFileAttributesA), keeping its other attributes.
  virtual Status ClearReadOnly(const std::string& path) = 0;
  // CreateDirectoryA; an existing folder is fine, a missing parent is not.
  virtual Status CreateFolder(const std::string& path) = 0;
};

// True for an existing file of any attributes, false for folders and missing paths.
bool FileExists(FileSystemPort& files, const std::string& path);
// True when a listing of ordinary files would show the path: an existing file that is neither
// hidden nor system.
bool IsPlainFile(FileSystemPort& files, const std::string& path);
// The names of a folder's ordinary files in listing order, as a pattern search for files returns
// them: no folders, no hidden or system files (read-only and archived ones are listed).
Result<std::vector<std::string>> ListPlainFiles(FileSystemPort& files, const std::string& folder);
// Deletes a file the program owns, read-only or not; a missing file is fine.
Status RemoveFileIfPresent(FileSystemPort& files, const std::string& path);

}  // namespace shared
