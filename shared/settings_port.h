#pragma once
// Per-user application settings with the runtime's GetSetting/SaveSetting semantics: string
// values keyed by application name, section and key; a missing key reads as "". Adapters:
// shared/win32/win32_settings.h (HKCU\Software\VB and VBA Program Settings\<app>\<section>, so
// settings written by earlier releases are found) and tests/fakes/fake_settings.h.
#include <string>

#include "shared/status.h"

namespace shared {

class SettingsPort {
 public:
  virtual ~SettingsPort() = default;

  // The stored text, "" when the application, section or key is missing or holds no text.
  virtual std::string GetSetting(const std::string& appName, const std::string& section,
                                 const std::string& key) = 0;
  // Stores the text, creating the application and section as needed.
  virtual Status SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace shared
