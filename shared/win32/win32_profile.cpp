#include "shared/win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "shared/win32/error_text.h"

namespace shared::win32 {

std::string Win32Profile::GetString(const std::string& section, const std::string& key,
                                    const std::string& defaultText, std::uint32_t bufferSize,
                                    const std::string& file) {
  if (bufferSize == 0) return {};
  std::vector<char> buffer(bufferSize, ' ');
  const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultText.c_str(),
                                                  buffer.data(), bufferSize, file.c_str());
  return std::string(buffer.data(), std::min<DWORD>(length, bufferSize - 1));
}

Status Win32Profile::WriteString(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value, const std::string& file) {
  if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value ? value->c_str() : nullptr, file.c_str()))
    return LastError();
  return Status::Ok();
}

}  // namespace shared::win32
