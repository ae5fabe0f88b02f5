#include "tests/common/registry_seed.h"

#include <gtest/gtest.h>

#include "shared/registry_tree.h"
#include "shared/text.h"

namespace testing_support {

using shared::RegView;

void SeedKey(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path, RegView view) {
  auto key = registry.CreateKey(root, path, view);
  ASSERT_TRUE(key.ok()) << path << ": " << key.status().message();
  registry.CloseKey(key.value());
}

void SeedValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
               const std::string& name, const std::string& bytes, std::uint32_t type, RegView view) {
  auto key = registry.CreateKey(root, path, view);
  ASSERT_TRUE(key.ok()) << path << ": " << key.status().message();
  const shared::Status written = registry.SetValue(key.value(), name, {type, bytes});
  registry.CloseKey(key.value());
  ASSERT_TRUE(written.ok()) << path << "\\" << name << ": " << written.message();
}

void SeedString(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                const std::string& name, const std::string& text, RegView view) {
  SeedValue(registry, root, path, name, text + '\0', shared::kRegSz, view);
}

shared::RegValueData RawValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                              const std::string& name, RegView view) {
  auto key = registry.OpenKey(root, path, shared::KeyAccess::kQueryValue, view);
  if (!key.ok()) return {};
  shared::ScopedKey scoped(registry, key.value());
  return registry.QueryValue(scoped.get(), name).value_or({});
}

std::pair<std::uint32_t, std::string> ReadValue(shared::RegistryPort& registry, shared::RegRoot root,
                                                const std::string& path, const std::string& name, RegView view) {
  const shared::RegValueData value = RawValue(registry, root, path, name, view);
  return {value.type, shared::UpToNul(value.bytes)};
}

void DeleteTree(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path, RegView view) {
  shared::DeleteRegistryTree(registry, root, path, view).IgnoreError();
}

}  // namespace testing_support
