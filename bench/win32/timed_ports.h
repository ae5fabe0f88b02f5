#pragma once
// Ports that count and time every call into the real adapters behind them: the timing splits
// that say where a piece of work spends its time. The clock costs well under a microsecond per
// call against tens of microseconds for a call into Wine.
#include <map>
#include <string>

#include "bench/win32/bench.h"
#include "shared/file_system_port.h"
#include "shared/registry_port.h"
#include "shared/shell_folder_port.h"
#include "shared/shortcut_port.h"
#include "shared/version_port.h"

namespace bench {

class Splits {
 public:
  template <typename Call>
  auto Time(const char* what, Call call) {
    const Clock clock;
    struct Add {
      Splits& splits;
      const char* what;
      const Clock& clock;
      ~Add() {
        auto& split = splits.splits_[what];
        ++split.calls;
        split.seconds += clock.Seconds();
      }
    } add{*this, what, clock};
    return call();
  }
  void Clear() { splits_.clear(); }
  // One line per kind of call: calls and seconds, to stderr.
  void Print(const std::string& work) const;

 private:
  struct Split {
    long calls = 0;
    double seconds = 0;
  };
  std::map<std::string, Split> splits_;
};

class TimedRegistry final : public shared::RegistryPort {
 public:
  TimedRegistry(shared::RegistryPort& inner, Splits& splits) : inner_(inner), splits_(splits) {}
  bool HasTwoViews() const override { return inner_.HasTwoViews(); }
  shared::Result<shared::KeyHandle> OpenKey(shared::RegRoot root, const std::string& path, shared::KeyAccess access,
                                            shared::RegView view) override {
    return splits_.Time("RegOpenKeyEx", [&] { return inner_.OpenKey(root, path, access, view); });
  }
  shared::Result<shared::KeyHandle> CreateKey(shared::RegRoot root, const std::string& path,
                                              shared::RegView view) override {
    return splits_.Time("RegCreateKeyEx", [&] { return inner_.CreateKey(root, path, view); });
  }
  void CloseKey(shared::KeyHandle key) override {
    splits_.Time("RegCloseKey", [&] { inner_.CloseKey(key); });
  }
  shared::Status DeleteKey(shared::RegRoot root, const std::string& path, shared::RegView view) override {
    return splits_.Time("RegDeleteKey", [&] { return inner_.DeleteKey(root, path, view); });
  }
  shared::Result<shared::RegValueData> QueryValue(shared::KeyHandle key, const std::string& name) override {
    return splits_.Time("RegQueryValueEx", [&] { return inner_.QueryValue(key, name); });
  }
  shared::Status SetValue(shared::KeyHandle key, const std::string& name, const shared::RegValueData& data) override {
    return splits_.Time("RegSetValueEx", [&] { return inner_.SetValue(key, name, data); });
  }
  shared::Status DeleteValue(shared::KeyHandle key, const std::string& name) override {
    return splits_.Time("RegDeleteValue", [&] { return inner_.DeleteValue(key, name); });
  }
  shared::Result<shared::RegKeyInfo> QueryInfo(shared::KeyHandle key) override {
    return splits_.Time("RegQueryInfoKey", [&] { return inner_.QueryInfo(key); });
  }
  shared::Result<std::string> EnumValueName(shared::KeyHandle key, std::uint32_t index) override {
    return splits_.Time("RegEnumValue", [&] { return inner_.EnumValueName(key, index); });
  }
  shared::Result<std::string> EnumKeyName(shared::KeyHandle key, std::uint32_t index) override {
    return splits_.Time("RegEnumKeyEx", [&] { return inner_.EnumKeyName(key, index); });
  }
  shared::Result<shared::RegValueEntry> EnumValue(shared::KeyHandle key, std::uint32_t index) override {
    return splits_.Time("RegEnumValue (with data)", [&] { return inner_.EnumValue(key, index); });
  }

 private:
  shared::RegistryPort& inner_;
  Splits& splits_;
};

class TimedFiles final : public shared::FileSystemPort {
 public:
  TimedFiles(shared::FileSystemPort& inner, Splits& splits) : inner_(inner), splits_(splits) {}
  std::optional<shared::FileAttributes> GetAttributes(const std::string& path) override {
    return splits_.Time("GetFileAttributes", [&] { return inner_.GetAttributes(path); });
  }
  std::string GetShortPath(const std::string& path) override {
    return splits_.Time("GetShortPathName", [&] { return inner_.GetShortPath(path); });
  }
  shared::Result<std::vector<shared::DirectoryEntry>> ListDirectory(const std::string& folder) override {
    return splits_.Time("FindFirstFile/FindNextFile", [&] { return inner_.ListDirectory(folder); });
  }
  shared::Result<std::string> ReadFile(const std::string& path) override {
    return splits_.Time("ReadFile (whole)", [&] { return inner_.ReadFile(path); });
  }
  shared::Status WriteFileAtomic(const std::string& path, const std::string& contents) override {
    return splits_.Time("WriteFileAtomic", [&] { return inner_.WriteFileAtomic(path, contents); });
  }
  shared::Status AppendFile(const std::string& path, const std::string& contents) override {
    return splits_.Time("AppendFile", [&] { return inner_.AppendFile(path, contents); });
  }
  shared::Status RemoveFile(const std::string& path) override {
    return splits_.Time("DeleteFile", [&] { return inner_.RemoveFile(path); });
  }
  shared::Status ClearReadOnly(const std::string& path) override {
    return splits_.Time("SetFileAttributes", [&] { return inner_.ClearReadOnly(path); });
  }
  shared::Status CreateFolder(const std::string& path) override {
    return splits_.Time("CreateDirectory", [&] { return inner_.CreateFolder(path); });
  }

 private:
  shared::FileSystemPort& inner_;
  Splits& splits_;
};

class TimedVersion final : public shared::VersionPort {
 public:
  TimedVersion(shared::VersionPort& inner, Splits& splits) : inner_(inner), splits_(splits) {}
  std::uint32_t GetInfoSize(const std::string& path) override {
    return splits_.Time("GetFileVersionInfoSize", [&] { return inner_.GetInfoSize(path); });
  }
  std::unique_ptr<shared::VersionBlock> GetInfo(const std::string& path) override {
    return splits_.Time("GetFileVersionInfo(Size+read)", [&] { return inner_.GetInfo(path); });
  }

 private:
  shared::VersionPort& inner_;
  Splits& splits_;
};

class TimedShortcut final : public shared::ShortcutPort {
 public:
  TimedShortcut(shared::ShortcutPort& inner, Splits& splits) : inner_(inner), splits_(splits) {}
  std::string ReadTargetPath(const std::string& shortcutPath) override {
    return splits_.Time("IShellLink read", [&] { return inner_.ReadTargetPath(shortcutPath); });
  }
  std::string ReadArguments(const std::string& shortcutPath) override {
    return splits_.Time("IShellLink read", [&] { return inner_.ReadArguments(shortcutPath); });
  }
  shared::Status WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                               const std::string& arguments) override {
    return splits_.Time("IShellLink write", [&] { return inner_.WriteShortcut(shortcutPath, targetPath, arguments); });
  }

 private:
  shared::ShortcutPort& inner_;
  Splits& splits_;
};

class TimedShellFolder final : public shared::ShellFolderPort {
 public:
  TimedShellFolder(shared::ShellFolderPort& inner, Splits& splits) : inner_(inner), splits_(splits) {}
  shared::ShellFolderReply GetFolderPath(std::int32_t csidl, std::uint32_t flags) override {
    return splits_.Time("SHGetFolderPath", [&] { return inner_.GetFolderPath(csidl, flags); });
  }

 private:
  shared::ShellFolderPort& inner_;
  Splits& splits_;
};

}  // namespace bench
