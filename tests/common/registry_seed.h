#pragma once
// Test set-up through the registry port, so the fake and the real registry get the same keys.
#include <string>
#include <utility>

#include "shared/registry_port.h"

namespace testing_support {

// Writes a value, creating the key. Raw bytes: a string written with its NUL passes "x\0".
void SeedValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
               const std::string& name, const std::string& bytes, std::uint32_t type = shared::kRegSz);
// A string value written with its terminating NUL, as programs normally write them.
void SeedString(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                const std::string& name, const std::string& text);
void SeedKey(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path);
// The value's type and its text up to the NUL; type 0 when it is not there.
std::pair<std::uint32_t, std::string> ReadValue(shared::RegistryPort& registry, shared::RegRoot root,
                                                const std::string& path, const std::string& name);
// Deletes a key and everything below it; nothing when it is not there.
void DeleteTree(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path);

}  // namespace testing_support
