#pragma once
// Test set-up through the registry port, so the fake and the real registry get the same keys.
#include <string>
#include <utility>

#include "shared/registry_port.h"

namespace testing_support {

// Writes a value, creating the key. Raw bytes: a string written with its NUL passes "x\0".
void SeedValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
               const std::string& name, const std::string& bytes, std::uint32_t type = shared::kRegSz,
               shared::RegView view = shared::RegView::kNative);
// A string value written with its terminating NUL, as programs normally write them.
void SeedString(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                const std::string& name, const std::string& text, shared::RegView view = shared::RegView::kNative);
void SeedKey(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
             shared::RegView view = shared::RegView::kNative);
// The value as stored; type 0 when it is not there.
shared::RegValueData RawValue(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                              const std::string& name, shared::RegView view = shared::RegView::kNative);
// The value's type and its text up to the NUL; type 0 when it is not there.
std::pair<std::uint32_t, std::string> ReadValue(shared::RegistryPort& registry, shared::RegRoot root,
                                                const std::string& path, const std::string& name,
                                                shared::RegView view = shared::RegView::kNative);
// Deletes a key and everything below it; nothing when it is not there.
void DeleteTree(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                shared::RegView view = shared::RegView::kNative);

}  // namespace testing_support
