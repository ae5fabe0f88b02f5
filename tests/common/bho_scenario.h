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
};

// Clears the Browser Helper Objects key and the scenario's class keys, then seeds them.
void SeedBhoScenario(shared::RegistryPort& registry, const BhoModules& modules);
void ClearBhoScenario(shared::RegistryPort& registry);
// The expected rows in registry order (subkeys sort without case).
std::vector<shared::ListModel::Row> ExpectedBhoRows(const BhoModules& modules);

}  // namespace testing_support
