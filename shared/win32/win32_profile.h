#pragma once
#include "shared/profile_port.h"

namespace shared::win32 {

class Win32Profile final : public ProfilePort {
 public:
  std::string GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                        std::uint32_t bufferSize, const std::string& file) override;
  Status WriteString(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                     const std::string& file) override;
};

}  // namespace shared::win32
