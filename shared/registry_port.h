#pragma once
// The machine's registry as the programs need it: the ANSI registry functions, one call each.
// Texts go out and come back in the system ANSI code page; a name handed in ends at its first
// NUL, as it does for the C functions. Adapters: shared/win32/win32_registry.h (the real
// registry) and tests/fakes/fake_registry.h (in memory).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "shared/status.h"

namespace shared {

// The root keys, as the platform's handle constants (signed 32-bit).
using RegRoot = std::int32_t;
inline constexpr RegRoot kHkeyClassesRoot = static_cast<RegRoot>(0x80000000u);
inline constexpr RegRoot kHkeyCurrentUser = static_cast<RegRoot>(0x80000001u);
inline constexpr RegRoot kHkeyLocalMachine = static_cast<RegRoot>(0x80000002u);

// An open key; 0 means none. Owned by whoever opened it.
using KeyHandle = std::uintptr_t;

enum class KeyAccess { kQueryValue, kRead, kWrite };

// Which of the machine's registry views a key is opened in. On 64-bit Windows 32-bit programs
// see HKLM "SOFTWARE\..." and HKCR "..." through the view's own keys (stored under Wow6432Node),
// while HKCU "Software\..." is shared; k32 reaches them whatever the build's bitness.
enum class RegView { kNative, k32 };

// Value types (the platform's numbers).
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegValueData {
  std::uint32_t type = kRegNone;
  std::string bytes;  // exactly what RegQueryValueExA delivers, terminating NUL included
  friend bool operator==(const RegValueData&, const RegValueData&) = default;
};

// A value as an enumeration lists it: its name and what QueryValue would deliver for it.
struct RegValueEntry {
  std::string name;
  RegValueData data;
};

struct RegKeyInfo {
  std::uint32_t subkeys = 0;
  std::uint32_t values = 0;
};

class RegistryPort {
 public:
  virtual ~RegistryPort() = default;

  // True when RegView::k32 is a view of its own beside the native one (a 64-bit build); false
  // when the machine or the build has one view, where k32 opens the same keys as kNative.
  virtual bool HasTwoViews() const = 0;

  // RegOpenKeyExA. The path is relative to the root; "" opens the root itself.
  virtual Result<KeyHandle> OpenKey(RegRoot root, const std::string& path, KeyAccess access,
                                    RegView view = RegView::kNative) = 0;
  // RegCreateKeyExA: opens the key, creating it and any missing parents.
  virtual Result<KeyHandle> CreateKey(RegRoot root, const std::string& path, RegView view = RegView::kNative) = 0;
  virtual void CloseKey(KeyHandle key) = 0;
  // RegDeleteKeyExA: deletes a key that has no subkeys.
  virtual Status DeleteKey(RegRoot root, const std::string& path, RegView view = RegView::kNative) = 0;

  // RegQueryValueExA, whole value ("" = the default value).
  virtual Result<RegValueData> QueryValue(KeyHandle key, const std::string& name) = 0;
  // RegSetValueExA with the bytes as given.
  virtual Status SetValue(KeyHandle key, const std::string& name, const RegValueData& data) = 0;
  virtual Status DeleteValue(KeyHandle key, const std::string& name) = 0;

  // RegQueryInfoKeyA.
  virtual Result<RegKeyInfo> QueryInfo(KeyHandle key) = 0;
  // RegEnumValueA / RegEnumKeyExA: the name at an index, kErrorNoMoreItems past the end.
  virtual Result<std::string> EnumValueName(KeyHandle key, std::uint32_t index) = 0;
  virtual Result<std::string> EnumKeyName(KeyHandle key, std::uint32_t index) = 0;
  // RegEnumValueA with a data buffer: the value at an index, its name, type and data in one call
  // (however long the data); kErrorNoMoreItems past the end.
  virtual Result<RegValueEntry> EnumValue(KeyHandle key, std::uint32_t index) = 0;
};

// An open key that closes itself; moves, never copies. Empty (0) when nothing was opened.
class ScopedKey {
 public:
  ScopedKey() = default;
  ScopedKey(RegistryPort& registry, KeyHandle key) : registry_(&registry), key_(key) {}
  ScopedKey(ScopedKey&& other) noexcept : registry_(other.registry_), key_(std::exchange(other.key_, 0)) {}
  ScopedKey& operator=(ScopedKey&& other) noexcept {
    if (this != &other) {
      Close();
      registry_ = other.registry_;
      key_ = std::exchange(other.key_, 0);
    }
    return *this;
  }
  ~ScopedKey() { Close(); }
  KeyHandle get() const { return key_; }

 private:
  void Close() {
    if (key_ != 0) registry_->CloseKey(std::exchange(key_, 0));
  }
  RegistryPort* registry_ = nullptr;
  KeyHandle key_ = 0;
};

}  // namespace shared
