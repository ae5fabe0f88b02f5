#pragma once
// Settings in memory, with the registry's rules: names compared without case, a name ending at
// its first NUL, an empty name naming no setting.
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "shared/settings_port.h"
#include "shared/text.h"

namespace fakes {

class FakeSettings final : public shared::SettingsPort {
 public:
  std::string GetSetting(const std::string& appName, const std::string& section, const std::string& key) override {
    const auto name = MakeName(appName, section, key);
    const auto found = name ? values_.find(*name) : values_.end();
    return found == values_.end() ? std::string() : found->second;
  }
  shared::Status SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                             const std::string& value) override {
    const auto name = MakeName(appName, section, key);
    const std::int32_t refused = !name ? shared::kErrorInvalidParameter : failSaves_ ? shared::kErrorAccessDenied : 0;
    if (refused != 0) return shared::Status::Error(refused, shared::DefaultErrorText(refused));
    values_[*name] = shared::UpToNul(value);
    return shared::Status::Ok();
  }
  // Saves fail with "Access is denied".
  void FailSaves(bool fail) { failSaves_ = fail; }

 private:
  using Name = std::tuple<std::string, std::string, std::string>;
  static std::optional<Name> MakeName(const std::string& appName, const std::string& section, const std::string& key) {
    Name name{shared::ToLowerAscii(shared::UpToNul(appName)), shared::ToLowerAscii(shared::UpToNul(section)),
              shared::ToLowerAscii(shared::UpToNul(key))};
    if (std::get<0>(name).empty() || std::get<1>(name).empty() || std::get<2>(name).empty()) return std::nullopt;
    return name;
  }
  std::map<Name, std::string> values_;
  bool failSaves_ = false;
};

}  // namespace fakes
