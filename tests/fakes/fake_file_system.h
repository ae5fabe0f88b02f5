#pragma once
// In-memory files and folders with the platform's rules: paths compared without case, either
// slash accepted, a path ending at its first NUL, a file written only into an existing folder,
// folders listed in the order their entries were made.
#include <map>
#include <string>
#include <vector>

#include "shared/file_system_port.h"

namespace fakes {

class FakeFileSystem final : public shared::FileSystemPort {
 public:
  FakeFileSystem();

  std::optional<shared::FileAttributes> GetAttributes(const std::string& path) override;
  std::string GetShortPath(const std::string& path) override;
  shared::Result<std::vector<shared::DirectoryEntry>> ListDirectory(const std::string& folder) override;
  shared::Result<std::string> ReadFile(const std::string& path) override;
  shared::Status WriteFileAtomic(const std::string& path, const std::string& contents) override;
  shared::Status AppendFile(const std::string& path, const std::string& contents) override;
  shared::Status RemoveFile(const std::string& path) override;
  shared::Status ClearReadOnly(const std::string& path) override;
  shared::Status CreateFolder(const std::string& path) override;

  // Test set-up: a folder with its missing parents; a file (folders made as needed).
  void AddFolder(const std::string& path);
  void AddFile(const std::string& path, const std::string& contents = {},
               shared::FileAttributes attributes = {});
  void SetAttributes(const std::string& path, shared::FileAttributes attributes);
  // Removes a folder that holds nothing, as RemoveDirectoryA does.
  void RemoveEmptyFolder(const std::string& path);
  void SetShortPath(const std::string& path, const std::string& shortPath);
  // Writes fail with "Access is denied", as on a full or locked medium.
  void FailWrites(bool fail) { failWrites_ = fail; }
  // The file cannot be read, written or deleted (a sharing violation), as while another program
  // holds it open without sharing; "" lets go.
  void LockFile(const std::string& path) { locked_ = Normalize(path); }

 private:
  struct Node {
    std::string path;  // as first given, backslashes
    shared::FileAttributes attributes;
    std::string contents;
    std::string shortPath;
    long order = 0;
  };
  static std::string Normalize(const std::string& path);
  static std::string Parent(const std::string& normalized);
  Node* Find(const std::string& path);
  bool Locked(const std::string& path) const;
  shared::Status CheckWritable(const std::string& path);

  std::map<std::string, Node> nodes_;  // by lower-case normalized path
  long nextOrder_ = 0;
  bool failWrites_ = false;
  std::string locked_;
};

}  // namespace fakes
