#include "shared/registry_store.h"

#include <cstring>

#include "shared/text.h"

namespace shared {

std::string ValueText(const RegValueData& value) {
  if (value.type == kRegDword && value.bytes.size() >= 4) {
    std::uint32_t number = 0;
    std::memcpy(&number, value.bytes.data(), 4);  // little-endian, as stored
    return std::to_string(number);
  }
  if (value.type == kRegSz || value.type == kRegExpandSz) return UpToNul(value.bytes);
  return value.bytes;
}

ScopedKey RegistryStore::OpenKeyForQuery(RegRoot root, const std::string& path, RegView view) {
  auto key = registry_.OpenKey(root, path, KeyAccess::kQueryValue, view);
  return key.ok() ? ScopedKey(registry_, key.value()) : ScopedKey();
}

std::string RegistryStore::ReadValueText(const ScopedKey& key, const std::string& valueName) {
  if (key.get() == 0) return {};
  // The whole value, however long: a space-filled buffer trimmed afterwards is the same text as
  // the data trimmed, and longer data is never cut into garbage.
  auto data = registry_.QueryValue(key.get(), valueName);
  if (!data.ok()) return {};
  return TrimSpaces(data.value().bytes);
}

std::int32_t RegistryStore::QueryKeyCount(const ScopedKey& key, std::int32_t mode) {
  if (mode != 0 && mode != 1) return 0;
  if (key.get() == 0) return 0;
  auto info = registry_.QueryInfo(key.get());
  if (!info.ok()) return 0;
  return static_cast<std::int32_t>(mode == 0 ? info.value().values : info.value().subkeys);
}

std::string RegistryStore::EnumValueName(const ScopedKey& key, std::int32_t index) {
  if (key.get() == 0 || index < 0) return {};
  auto name = registry_.EnumValueName(key.get(), static_cast<std::uint32_t>(index));
  if (!name.ok()) return {};
  // The platform writes the name followed by its NUL into the space-filled buffer.
  return TrimSpaces(name.value() + '\0');
}

ListedValue RegistryStore::EnumValue(const ScopedKey& key, std::int32_t index) {
  if (key.get() == 0 || index < 0) return {};
  auto listed = registry_.EnumValue(key.get(), static_cast<std::uint32_t>(index));
  if (!listed.ok()) return {};
  const RegValueEntry& entry = listed.value();
  ListedValue value{TrimSpaces(entry.name + '\0'), std::nullopt};
  // A name handed back in ends at its NUL: unless trimming changed it, it reads this same value.
  if (UpToNul(value.name) == entry.name) value.text = ValueText(entry.data);
  return value;
}

Result<std::vector<std::string>> RegistryComponent::EnumKeys() const {
  auto opened = registry_.OpenKey(RootKey, KeyPath, KeyAccess::kRead, View);
  if (!opened.ok()) {
    if (opened.status().code() == kErrorFileNotFound) return std::vector<std::string>{};
    return opened.status();
  }
  ScopedKey key(registry_, opened.value());
  std::vector<std::string> names;
  for (std::uint32_t index = 0;; ++index) {
    auto name = registry_.EnumKeyName(key.get(), index);
    if (!name.ok()) {
      if (name.status().code() == kErrorNoMoreItems) break;
      return name.status();
    }
    names.push_back(std::move(name).value());
  }
  return names;
}

bool RegistryComponent::KeyExists() const {
  auto opened = registry_.OpenKey(RootKey, KeyPath, KeyAccess::kQueryValue, View);
  if (opened.ok()) {
    ScopedKey key(registry_, opened.value());
    return true;
  }
  // A key we may not read is still there.
  return opened.status().IsAccessDenied();
}

Result<std::string> RegistryComponent::GetValue() const {
  auto opened = registry_.OpenKey(RootKey, KeyPath, KeyAccess::kQueryValue, View);
  if (!opened.ok()) return opened.status();
  ScopedKey key(registry_, opened.value());
  auto data = registry_.QueryValue(key.get(), ValueName);
  if (!data.ok()) return data.status();
  return ValueText(data.value());
}

Status RegistryComponent::CreateKey() const {
  auto created = registry_.CreateKey(RootKey, KeyPath, View);
  if (!created.ok()) return created.status();
  ScopedKey key(registry_, created.value());
  return Status::Ok();
}

Status RegistryComponent::DeleteKey() const { return registry_.DeleteKey(RootKey, KeyPath, View); }

Status RegistryComponent::SetValue() const {
  auto opened = registry_.OpenKey(RootKey, KeyPath, KeyAccess::kWrite, View);
  if (!opened.ok()) return opened.status();
  ScopedKey key(registry_, opened.value());
  RegValueData data{kRegSz, UpToNul(ValueData) + '\0'};
  return registry_.SetValue(key.get(), ValueName, data);
}

Status RegistryComponent::DeleteValue() const {
  auto opened = registry_.OpenKey(RootKey, KeyPath, KeyAccess::kWrite, View);
  if (!opened.ok()) return opened.status();
  ScopedKey key(registry_, opened.value());
  return registry_.DeleteValue(key.get(), ValueName);
}

}  // namespace shared
