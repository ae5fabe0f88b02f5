#pragma once
// The Browser Helper Objects registered on the machine, one list row each.
#include <array>
#include <string>

#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/registry_store.h"
#include "shared/staged_list.h"
#include "shared/version_port.h"

namespace plugwarden {

inline constexpr char kBhoKeyPath[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

inline constexpr char kUnknownName[] = "UnKnown";
inline constexpr char kNotRegistered[] = "BHO is not Registred";
inline constexpr char kNoInprocServer[] = "BHO Module is registred but not correctly implemented";
inline constexpr char kModuleNotFound[] = "BHO Module is not found";
inline constexpr char kPathWithoutModule[] = "Path Exist but Module not found";

// One list row; the field order is the column order and the order of lines in entry files.
struct BhoEntry {
  enum Field { kName, kStatus, kInformation, kVersion, kPath, kIdentifier, kFieldCount };
  std::string Name;         // the object key's default value, or "UnKnown"
  std::string Status;       // a status word
  std::string Information;  // the module's description, or what is wrong with the object
  std::string Version;      // the module's file version
  std::string Path;         // the module as InprocServer32 names it
  std::string Identifier;   // the class identifier, the object key's name
};
// Entry-file and row order.
constexpr std::array<std::string BhoEntry::*, 6> FieldsOf(const BhoEntry*) {
  using E = BhoEntry;
  return {&E::Name, &E::Status, &E::Information, &E::Version, &E::Path, &E::Identifier};
}

// What the enumeration reads: the main window's two registry components (Reg1 on the Browser
// Helper Objects key, Reg2 on the class registrations), the direct reads, files and versions.
struct BhoSources {
  shared::RegistryComponent& reg1;
  shared::RegistryComponent& reg2;
  shared::RegistryStore& store;
  shared::FileSystemPort& files;
  shared::VersionPort& versions;
};

// Appends one row per subkey of the Browser Helper Objects key, in the registry's order, with
// its health; never clears the list, never shows anything. A key that cannot be listed adds no
// rows and comes back as the failure (a missing key is no failure: nothing is registered).
shared::Status SetBHOIntoList(BhoSources& sources, shared::ListModel& list);

}  // namespace plugwarden
