#include "shared/win32/win32_registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "shared/win32/error_text.h"

namespace shared::win32 {
namespace {

HKEY ToHkey(RegRoot root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}
HKEY ToHkey(KeyHandle key) { return reinterpret_cast<HKEY>(key); }
KeyHandle ToHandle(HKEY key) { return reinterpret_cast<KeyHandle>(key); }

REGSAM ToSam(KeyAccess access) {
  switch (access) {
    case KeyAccess::kQueryValue: return KEY_QUERY_VALUE;
    case KeyAccess::kRead: return KEY_READ;
    case KeyAccess::kWrite: return KEY_QUERY_VALUE | KEY_SET_VALUE;
  }
  return KEY_QUERY_VALUE;
}

// The other view by the access flag, never by spelling its key: the flag is right in either
// bitness and is ignored where there is one view.
REGSAM ViewSam(RegView view) { return view == RegView::k32 ? KEY_WOW64_32KEY : 0; }

Status FromCode(LONG code) { return code == ERROR_SUCCESS ? Status::Ok() : LastError(code); }

// Value and key names are at most 16383 characters; data reads grow as needed.
constexpr DWORD kMaxNameChars = 16384;

// The name at an index through one of the two enumeration calls.
template <typename Enumerate>
Result<std::string> EnumName(KeyHandle key, std::uint32_t index, Enumerate enumerate) {
  std::vector<char> name(kMaxNameChars);
  DWORD length = kMaxNameChars;
  const LONG code = enumerate(ToHkey(key), index, name.data(), &length);
  if (code != ERROR_SUCCESS) return LastError(code);
  return std::string(name.data(), length);
}

}  // namespace

bool Win32Registry::HasTwoViews() const {
  // A 32-bit build's own view already is the 32-bit one, so it has nothing to list twice.
#ifdef _WIN64
  return true;
#else
  return false;
#endif
}

Result<KeyHandle> Win32Registry::OpenKey(RegRoot root, const std::string& path, KeyAccess access, RegView view) {
  HKEY key = nullptr;
  const LONG code = ::RegOpenKeyExA(ToHkey(root), path.c_str(), 0, ToSam(access) | ViewSam(view), &key);
  if (code != ERROR_SUCCESS) return LastError(code);
  return ToHandle(key);
}

Result<KeyHandle> Win32Registry::CreateKey(RegRoot root, const std::string& path, RegView view) {
  HKEY key = nullptr;
  const LONG code = ::RegCreateKeyExA(ToHkey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_QUERY_VALUE | KEY_SET_VALUE | ViewSam(view), nullptr, &key, nullptr);
  if (code != ERROR_SUCCESS) return LastError(code);
  return ToHandle(key);
}

void Win32Registry::CloseKey(KeyHandle key) {
  if (key != 0) ::RegCloseKey(ToHkey(key));
}

Status Win32Registry::DeleteKey(RegRoot root, const std::string& path, RegView view) {
  return FromCode(::RegDeleteKeyExA(ToHkey(root), path.c_str(), ViewSam(view), 0));
}

Result<RegValueData> Win32Registry::QueryValue(KeyHandle key, const std::string& name) {
  RegValueData data;
  std::vector<BYTE> buffer(1024);
  for (;;) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG code = ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &type, buffer.data(), &size);
    if (code == ERROR_MORE_DATA) {
      buffer.resize(std::max<std::size_t>(size, buffer.size() * 2));
      continue;
    }
    if (code != ERROR_SUCCESS) return LastError(code);
    data.type = type;
    data.bytes.assign(reinterpret_cast<const char*>(buffer.data()), size);
    return data;
  }
}

Status Win32Registry::SetValue(KeyHandle key, const std::string& name, const RegValueData& data) {
  return FromCode(::RegSetValueExA(ToHkey(key), name.c_str(), 0, data.type,
                                   reinterpret_cast<const BYTE*>(data.bytes.data()),
                                   static_cast<DWORD>(data.bytes.size())));
}

Status Win32Registry::DeleteValue(KeyHandle key, const std::string& name) {
  return FromCode(::RegDeleteValueA(ToHkey(key), name.c_str()));
}

Result<RegKeyInfo> Win32Registry::QueryInfo(KeyHandle key) {
  DWORD subkeys = 0;
  DWORD values = 0;
  const LONG code = ::RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                       &values, nullptr, nullptr, nullptr, nullptr);
  if (code != ERROR_SUCCESS) return LastError(code);
  return RegKeyInfo{subkeys, values};
}

Result<std::string> Win32Registry::EnumValueName(KeyHandle key, std::uint32_t index) {
  // No data buffer: only the name is wanted, so a long value never hides its name.
  return EnumName(key, index, [](HKEY hkey, DWORD i, char* name, DWORD* length) {
    return ::RegEnumValueA(hkey, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

Result<std::string> Win32Registry::EnumKeyName(KeyHandle key, std::uint32_t index) {
  return EnumName(key, index, [](HKEY hkey, DWORD i, char* name, DWORD* length) {
    return ::RegEnumKeyExA(hkey, i, name, length, nullptr, nullptr, nullptr, nullptr);
  });
}

Result<RegValueEntry> Win32Registry::EnumValue(KeyHandle key, std::uint32_t index) {
  // A name of 16383 characters can take more bytes than that in a multi-byte code page, so the
  // name buffer grows too; either buffer too small is ERROR_MORE_DATA, and only a short data
  // buffer reports a size beyond its own.
  constexpr std::size_t kMaxNameBytes = 4 * kMaxNameChars;
  std::string name(MAX_PATH + 1, '\0');
  RegValueEntry entry;
  std::string& bytes = entry.data.bytes;
  bytes.resize(1024);
  for (;;) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(bytes.size());
    const LONG code = ::RegEnumValueA(ToHkey(key), index, name.data(), &nameLength, nullptr, &type,
                                      reinterpret_cast<BYTE*>(bytes.data()), &size);
    if (code == ERROR_MORE_DATA) {
      if (size > bytes.size()) {
        bytes.resize(std::max<std::size_t>(size, bytes.size() * 2));
      } else if (name.size() < kMaxNameBytes) {
        name.resize(std::min(name.size() * 4, kMaxNameBytes));
      } else {
        return LastError(code);
      }
      continue;
    }
    if (code != ERROR_SUCCESS) return LastError(code);
    entry.name.assign(name.data(), nameLength);
    entry.data.type = type;
    bytes.resize(size);
    return entry;
  }
}

}  // namespace shared::win32
