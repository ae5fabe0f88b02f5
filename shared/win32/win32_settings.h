#pragma once
#include "shared/settings_port.h"

namespace shared::win32 {

// Settings under HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, one
// string value per key, where the classic runtime keeps them.
class Win32Settings final : public SettingsPort {
 public:
  std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key) override;
  Status SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace shared::win32
