#pragma once
// One Browser Helper Object per kind of health the catalogue tells apart, seeded through the
// registry port, and the rows the catalogue must make of them.
#include <string>
#include <vector>

#include "shared/list_model.h"
#include "shared/registry_port.h"

namespace testing_support {

struct BhoModules {
  std::string withVersion;     // an existing module with a version resource
  std::string description;     // its FileDescription
  std::string version;         // its file version, "a.b.c.d"
  std::string withoutVersion;  // an existing module without a version resource
  std::string withoutVersionInformation;  // what the list shows as its description
  std::string inSystem32;  // the versioned module as "<Windows>\System32\name", present in SysWOW64 only
};

// Clears the Browser Helper Objects key and the scenario's class keys in both views, then seeds
// them.
void SeedBhoScenario(shared::RegistryPort& registry, const BhoModules& modules);
void ClearBhoScenario(shared::RegistryPort& registry);
// The expected rows in registry order (subkeys sort without case).
std::vector<shared::ListModel::Row> ExpectedBhoRows(const BhoModules& modules);
// The rows of the 32-bit view: its own keys, its own classes, SysWOW64 for System32.
std::vector<shared::ListModel::Row> ExpectedBhoRows32(const BhoModules& modules);

}  // namespace testing_support
