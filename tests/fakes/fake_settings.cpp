#include "tests/fakes/fake_settings.h"

#include "shared/text.h"

namespace fakes {

std::optional<FakeSettings::Name> FakeSettings::MakeName(const std::string& appName, const std::string& section,
                                                         const std::string& key) {
  Name name{shared::ToLowerAscii(shared::UpToNul(appName)), shared::ToLowerAscii(shared::UpToNul(section)),
            shared::ToLowerAscii(shared::UpToNul(key))};
  if (std::get<0>(name).empty() || std::get<1>(name).empty() || std::get<2>(name).empty()) return std::nullopt;
  return name;
}

std::string FakeSettings::GetSetting(const std::string& appName, const std::string& section, const std::string& key) {
  const auto name = MakeName(appName, section, key);
  if (!name) return {};
  const auto found = values_.find(*name);
  return found == values_.end() ? std::string() : found->second;
}

shared::Status FakeSettings::SaveSetting(const std::string& appName, const std::string& section,
                                         const std::string& key, const std::string& value) {
  const auto name = MakeName(appName, section, key);
  const std::int32_t refused = !name ? shared::kErrorInvalidParameter : failSaves_ ? shared::kErrorAccessDenied : 0;
  if (refused != 0) return shared::Status::Error(refused, shared::DefaultErrorText(refused));
  values_[*name] = shared::UpToNul(value);
  return shared::Status::Ok();
}

}  // namespace fakes
