#include "shared/registry_tree.h"

#include <charconv>

namespace shared {
namespace {

constexpr char kKeyTag[] = "key";
constexpr char kValueNameTag[] = "value-name";
constexpr char kValueTypeTag[] = "value-type";
constexpr char kValueDataTag[] = "value-data";

std::string Below(const std::string& path, const std::string& name) { return path.empty() ? name : path + "\\" + name; }

Status ReadKey(RegistryPort& registry, RegRoot root, RegView view, const std::string& top, const std::string& path,
               std::vector<RegTreeKey>& tree) {
  auto opened = registry.OpenKey(root, Below(top, path), KeyAccess::kRead, view);
  if (!opened.ok()) return opened.status();
  ScopedKey key(registry, opened.value());
  RegTreeKey read{path, {}};
  std::vector<std::string> subkeys;
  for (std::uint32_t index = 0;; ++index) {
    auto name = registry.EnumValueName(key.get(), index);
    if (!name.ok()) {
      if (name.status().code() == kErrorNoMoreItems) break;
      return name.status();
    }
    auto data = registry.QueryValue(key.get(), name.value());
    if (!data.ok()) return data.status();
    read.values.push_back({name.value(), data.value()});
  }
  for (std::uint32_t index = 0;; ++index) {
    auto name = registry.EnumKeyName(key.get(), index);
    if (!name.ok()) {
      if (name.status().code() == kErrorNoMoreItems) break;
      return name.status();
    }
    subkeys.push_back(name.value());
  }
  tree.push_back(std::move(read));
  for (const auto& name : subkeys) {
    if (Status status = ReadKey(registry, root, view, top, Below(path, name), tree); !status.ok()) return status;
  }
  return Status::Ok();
}

bool IsSafeRelativePath(const std::string& path) {
  if (path.empty()) return true;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    const std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == ".." || part.find('\0') != std::string::npos) return false;
    if (end == std::string::npos) return true;
    start = end + 1;
  }
}

std::optional<std::uint32_t> ParseType(const std::string& text) {
  std::uint32_t type = 0;
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), type);
  if (text.empty() || parsed.ec != std::errc() || parsed.ptr != text.data() + text.size()) return std::nullopt;
  return type;
}

}  // namespace

Result<std::vector<RegTreeKey>> ReadRegistryTree(RegistryPort& registry, RegRoot root, const std::string& path,
                                                 RegView view) {
  std::vector<RegTreeKey> tree;
  if (Status status = ReadKey(registry, root, view, path, "", tree); !status.ok()) return status;
  return tree;
}

Status WriteRegistryTree(RegistryPort& registry, RegRoot root, const std::string& path,
                         const std::vector<RegTreeKey>& tree, RegView view) {
  for (const RegTreeKey& node : tree) {
    auto created = registry.CreateKey(root, Below(path, node.path), view);
    if (!created.ok()) return created.status();
    ScopedKey key(registry, created.value());
    for (const RegTreeValue& value : node.values) {
      if (Status set = registry.SetValue(key.get(), value.name, value.data); !set.ok()) return set;
    }
  }
  return Status::Ok();
}

Status DeleteRegistryTree(RegistryPort& registry, RegRoot root, const std::string& path, RegView view) {
  std::vector<std::string> subkeys;
  {
    auto opened = registry.OpenKey(root, path, KeyAccess::kRead, view);
    if (!opened.ok()) return opened.status().IsNotFound() ? Status::Ok() : opened.status();
    ScopedKey key(registry, opened.value());
    for (std::uint32_t index = 0;; ++index) {
      auto name = registry.EnumKeyName(key.get(), index);
      if (!name.ok()) break;
      subkeys.push_back(name.value());
    }
  }
  for (const auto& name : subkeys) {
    if (Status deleted = DeleteRegistryTree(registry, root, path + "\\" + name, view); !deleted.ok()) return deleted;
  }
  const Status deleted = registry.DeleteKey(root, path, view);
  return deleted.IsNotFound() ? Status::Ok() : deleted;
}

void AddValueParts(KeptCopy& copy, const RegTreeValue& value) {
  copy.Add(kValueNameTag, value.name);
  copy.Add(kValueTypeTag, std::to_string(value.data.type));
  copy.Add(kValueDataTag, value.data.bytes);
}

std::optional<RegTreeValue> ValueOfParts(const KeptCopy& copy) {
  const std::string* name = copy.Part(kValueNameTag);
  const std::string* type = copy.Part(kValueTypeTag);
  const std::string* data = copy.Part(kValueDataTag);
  if (name == nullptr || type == nullptr || data == nullptr) return std::nullopt;
  const auto parsed = ParseType(*type);
  if (!parsed) return std::nullopt;
  return RegTreeValue{*name, {*parsed, *data}};
}

void AddTreeParts(KeptCopy& copy, const std::vector<RegTreeKey>& tree) {
  for (const RegTreeKey& node : tree) {
    copy.Add(kKeyTag, node.path);
    for (const RegTreeValue& value : node.values) AddValueParts(copy, value);
  }
}

std::optional<std::vector<RegTreeKey>> TreeOfParts(const KeptCopy& copy) {
  std::vector<RegTreeKey> tree;
  const auto& parts = copy.parts;
  for (std::size_t i = 0; i < parts.size();) {
    const auto& [tag, bytes] = parts[i];
    if (tag == kKeyTag) {
      if (!IsSafeRelativePath(bytes)) return std::nullopt;
      tree.push_back({bytes, {}});
      ++i;
      continue;
    }
    // A value is its three parts in a row, below the last key.
    if (tree.empty() || i + 3 > parts.size() || tag != kValueNameTag || parts[i + 1].first != kValueTypeTag ||
        parts[i + 2].first != kValueDataTag)
      return std::nullopt;
    const auto type = ParseType(parts[i + 1].second);
    if (!type) return std::nullopt;
    tree.back().values.push_back({bytes, {*type, parts[i + 2].second}});
    i += 3;
  }
  return tree;
}

}  // namespace shared
