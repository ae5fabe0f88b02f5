#include "shared/win32/win32_settings.h"

#include <windows.h>

#include <vector>

#include "shared/text.h"
#include "shared/win32/error_text.h"
#include "shared/win32/unique_handle.h"

namespace shared::win32 {
namespace {

constexpr char kSettingsRoot[] = "Software\\VB and VBA Program Settings\\";

// An empty name would make the key path point at the parent key (or the default value), so
// such a setting simply does not exist.
bool ValidNames(const std::string& appName, const std::string& section, const std::string& key) {
  return !UpToNul(appName).empty() && !UpToNul(section).empty() && !UpToNul(key).empty();
}

std::string KeyPath(const std::string& appName, const std::string& section) {
  return kSettingsRoot + UpToNul(appName) + "\\" + UpToNul(section);
}

}  // namespace

std::string Win32Settings::GetSetting(const std::string& appName, const std::string& section,
                                      const std::string& key) {
  if (!ValidNames(appName, section, key)) return {};
  HKEY raw = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
    return {};
  const UniqueRegKey hkey(raw);
  const std::string name = UpToNul(key);
  std::vector<char> buffer(256);
  for (;;) {
    DWORD type = REG_NONE;
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG code = ::RegQueryValueExA(hkey.get(), name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (code == ERROR_MORE_DATA) {
      buffer.resize(static_cast<std::size_t>(size) + 1);
      continue;
    }
    if (code != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
    return UpToNul(std::string_view(buffer.data(), size));
  }
}

Status Win32Settings::SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                                  const std::string& value) {
  if (!ValidNames(appName, section, key)) return Status::Error(ERROR_INVALID_PARAMETER, ErrorText(ERROR_INVALID_PARAMETER));
  HKEY raw = nullptr;
  const LONG opened = ::RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, nullptr,
                                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &raw, nullptr);
  if (opened != ERROR_SUCCESS) return LastError(static_cast<DWORD>(opened));
  const UniqueRegKey hkey(raw);
  const std::string data = UpToNul(value);
  const LONG written = ::RegSetValueExA(hkey.get(), UpToNul(key).c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(data.c_str()),
                                        static_cast<DWORD>(data.size() + 1));
  if (written != ERROR_SUCCESS) return LastError(static_cast<DWORD>(written));
  return Status::Ok();
}

}  // namespace shared::win32
