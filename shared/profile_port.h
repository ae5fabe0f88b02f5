#pragma once
// INI files read and written with the semantics of GetPrivateProfileStringA and
// WritePrivateProfileStringA: section and key compared without case, surrounding spaces of a
// value dropped, a bare file name ("win.ini") taken from the Windows folder. Adapters:
// shared/win32/win32_profile.h and tests/fakes/fake_profile.h.
#include <cstdint>
#include <optional>
#include <string>

#include "shared/status.h"

namespace shared {

class ProfilePort {
 public:
  virtual ~ProfilePort() = default;

  // What GetPrivateProfileStringA copies into a buffer of bufferSize characters: the value (or
  // the default when the key or file is missing), cut to bufferSize - 1 characters; the count it
  // returns is the length of the result.
  virtual std::string GetString(const std::string& section, const std::string& key,
                                const std::string& defaultText, std::uint32_t bufferSize,
                                const std::string& file) = 0;
  // WritePrivateProfileStringA; no value deletes the key.
  virtual Status WriteString(const std::string& section, const std::string& key,
                             const std::optional<std::string>& value, const std::string& file) = 0;
};

}  // namespace shared
