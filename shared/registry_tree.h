#pragma once
// A registry key with every value and subkey, read whole, written back whole, and deleted
// deepest first, all in one registry view; and its form inside a kept copy.
#include <optional>
#include <string>
#include <vector>

#include "shared/kept_copies.h"
#include "shared/registry_port.h"

namespace shared {

struct RegTreeValue {
  std::string name;
  RegValueData data;
  friend bool operator==(const RegTreeValue&, const RegTreeValue&) = default;
};

struct RegTreeKey {
  std::string path;  // below the tree's top key, "" for the top key itself
  std::vector<RegTreeValue> values;
  friend bool operator==(const RegTreeKey&, const RegTreeKey&) = default;
};

// Parents before their subkeys, in the registry's enumeration order. Not found when the top key
// is missing.
Result<std::vector<RegTreeKey>> ReadRegistryTree(RegistryPort& registry, RegRoot root, const std::string& path,
                                                 RegView view = RegView::kNative);
// Creates each key and sets each value.
Status WriteRegistryTree(RegistryPort& registry, RegRoot root, const std::string& path,
                         const std::vector<RegTreeKey>& tree, RegView view = RegView::kNative);
// Deletes the key and everything below it; a missing key is fine.
Status DeleteRegistryTree(RegistryPort& registry, RegRoot root, const std::string& path,
                          RegView view = RegView::kNative);

void AddTreeParts(KeptCopy& copy, const std::vector<RegTreeKey>& tree);
// None when the parts are not a tree: a value before any key, or a key path that is empty
// between separators, starts or ends with one, or names "." or "..".
std::optional<std::vector<RegTreeKey>> TreeOfParts(const KeptCopy& copy);

// A value's type and bytes as a kept copy holds them.
void AddValueParts(KeptCopy& copy, const RegTreeValue& value);
std::optional<RegTreeValue> ValueOfParts(const KeptCopy& copy);

}  // namespace shared
