#pragma once
// Settings in memory, with the registry's rules: names compared without case, a name ending at
// its first NUL, an empty name naming no setting.
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "shared/settings_port.h"

namespace fakes {

class FakeSettings final : public shared::SettingsPort {
 public:
  std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key) override;
  shared::Status SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                             const std::string& value) override;
  // Saves fail with "Access is denied".
  void FailSaves(bool fail) { failSaves_ = fail; }

 private:
  using Name = std::tuple<std::string, std::string, std::string>;
  static std::optional<Name> MakeName(const std::string& appName, const std::string& section, const std::string& key);
  std::map<Name, std::string> values_;
  bool failSaves_ = false;
};

}  // namespace fakes
