#pragma once
// The one way both programs reach the registry. Two halves:
//  - RegistryStore: direct reads with the fixed-buffer semantics callers depend on (a string
//    value comes back with its terminating NUL; "" when nothing was read);
//  - RegistryComponent: the stateful registry component (RootKey/KeyPath/ValueName/ValueData
//    set first, then an operation), whose failures come back as a Status.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shared/registry_port.h"
#include "shared/status.h"

namespace shared {

// A value's data as text, as RegistryComponent::GetValue gives it.
std::string ValueText(const RegValueData& value);

// A value listed with its data in one call.
struct ListedValue {
  // As EnumValueName gives it; "" past the end or on failure.
  std::string name;
  // The data as RegistryComponent::GetValue reads it under `name`. Empty when only that read can
  // tell: the listed name lost leading spaces, so it may name another value or none.
  std::optional<std::string> text;
};

class RegistryStore {
 public:
  explicit RegistryStore(RegistryPort& registry) : registry_(registry) {}
  // Whether RegView::k32 reaches keys of its own (RegistryPort::HasTwoViews).
  bool HasTwoViews() const { return registry_.HasTwoViews(); }

  // A key opened for querying values, closed when it goes; empty when it cannot be opened.
  ScopedKey OpenKeyForQuery(RegRoot root, const std::string& path, RegView view = RegView::kNative);
  // The value as text: data bytes with surrounding spaces removed; a string value keeps its
  // terminating NUL as last character; "" when nothing could be read.
  std::string ReadValueText(const ScopedKey& key, const std::string& valueName);
  // Mode 0: number of values; mode 1: number of subkeys; other modes and failures: 0.
  std::int32_t QueryKeyCount(const ScopedKey& key, std::int32_t mode);
  // Name of the value at the index followed by its NUL, surrounding spaces removed; "" past the
  // end or on failure.
  std::string EnumValueName(const ScopedKey& key, std::int32_t index);
  // The same name with the value's data, from one enumeration call.
  ListedValue EnumValue(const ScopedKey& key, std::int32_t index);

 private:
  RegistryPort& registry_;
};

class RegistryComponent {
 public:
  explicit RegistryComponent(RegistryPort& registry) : registry_(registry) {}

  // Properties: set before calling an operation; they keep their values until set again.
  RegRoot RootKey = 0;
  std::string KeyPath;
  std::string ValueName;
  std::string ValueData;
  RegView View = RegView::kNative;

  // Names of the direct subkeys in the registry's order; an empty list for a missing key or a
  // key without subkeys.
  Result<std::vector<std::string>> EnumKeys() const;
  bool KeyExists() const;
  // ValueName's data as text (strings without their NUL, DWORDs in decimal).
  Result<std::string> GetValue() const;
  // Creates RootKey\KeyPath and any missing parents.
  Status CreateKey() const;
  // Deletes RootKey\KeyPath; fails while it has subkeys.
  Status DeleteKey() const;
  // Writes ValueName = ValueData as a string value into the existing key RootKey\KeyPath.
  Status SetValue() const;
  Status DeleteValue() const;

 private:
  RegistryPort& registry_;
};

}  // namespace shared
