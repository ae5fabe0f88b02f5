#include "tests/common/registry_seed.h"

#include <gtest/gtest.h>

#include <vector>

#include "shared/text.h"

namespace testing_support {

void SeedKey(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path) {
  auto key = registry.CreateKey(root, path);
  ASSERT_TRUE(key.ok()) << path << ": " << key.status().message();
  registry.CloseKey(key.value());
}

void SeedValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
               const std::string& name, const std::string& bytes, std::uint32_t type) {
  auto key = registry.CreateKey(root, path);
  ASSERT_TRUE(key.ok()) << path << ": " << key.status().message();
  const shared::Status written = registry.SetValue(key.value(), name, {type, bytes});
  registry.CloseKey(key.value());
  ASSERT_TRUE(written.ok()) << path << "\\" << name << ": " << written.message();
}

void SeedString(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                const std::string& name, const std::string& text) {
  SeedValue(registry, root, path, name, text + '\0');
}

std::pair<std::uint32_t, std::string> ReadValue(shared::RegistryPort& registry, shared::RegRoot root,
                                                const std::string& path, const std::string& name) {
  auto key = registry.OpenKey(root, path, shared::KeyAccess::kQueryValue);
  if (!key.ok()) return {0, ""};
  shared::ScopedKey scoped(registry, key.value());
  auto value = registry.QueryValue(scoped.get(), name);
  if (!value.ok()) return {0, ""};
  return {value.value().type, shared::UpToNul(value.value().bytes)};
}

void DeleteTree(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path) {
  std::vector<std::string> children;
  if (auto key = registry.OpenKey(root, path, shared::KeyAccess::kRead); key.ok()) {
    for (std::uint32_t i = 0;; ++i) {
      auto name = registry.EnumKeyName(key.value(), i);
      if (!name.ok()) break;
      children.push_back(name.value());
    }
    registry.CloseKey(key.value());
  } else {
    return;
  }
  for (const auto& child : children) DeleteTree(registry, root, path + "\\" + child);
  registry.DeleteKey(root, path).IgnoreError();
}

}  // namespace testing_support
