#pragma once
// The Browser Helper Objects registered on the machine, one list row each.
#include <array>
#include <string>
#include <vector>

#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/registry_store.h"
#include "shared/staged_list.h"
#include "shared/version_port.h"
#include "shared/windows_folder_port.h"

namespace plugwarden {

inline constexpr char kBhoKeyPath[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

// Rows of the 32-bit registry view carry their class identifier behind this marker, in the list
// and in every file. The backslash makes earlier versions refuse such a row ("no usable
// identifier") instead of acting on the native view's object of the same class.
inline constexpr char kView32Marker[] = "Wow6432Node\\";

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

// A row's identifier as its object's key name and the registry view the object is in.
struct BhoKey {
  std::string identifier;
  shared::RegView view = shared::RegView::kNative;
};
BhoKey KeyOfRow(const std::string& rowIdentifier);
// The module file a row's object loads: its Path, or for a 32-bit object named in the system
// folder the same name in SysWOW64, where a 32-bit program takes it from.
std::string ModuleAsLoaded(const std::string& path, shared::RegView view, shared::WindowsFolderPort& windowsFolder);
// The objects' key as the user finds it in a registry editor, for messages.
std::string ShownBhoKeyPath(shared::RegView view);

// What the enumeration reads: the main window's two registry components (Reg1 on the Browser
// Helper Objects key, Reg2 on the class registrations), the direct reads, files and versions.
struct BhoSources {
  shared::RegistryComponent& reg1;
  shared::RegistryComponent& reg2;
  shared::RegistryStore& store;
  shared::FileSystemPort& files;
  shared::VersionPort& versions;
  // Where a 32-bit object's "System32" module really is.
  shared::WindowsFolderPort& windowsFolder;
};

// Appends one row per subkey of the Browser Helper Objects key of the view, in the registry's
// order, with its health; never clears the list, never shows anything. A key that cannot be
// listed adds no rows and comes back as the failure (a missing key is no failure: nothing is
// registered). In the 32-bit view the class and its module are read in that view, and a module
// in the system folder is checked where a 32-bit program loads it from (SysWOW64); the Path
// column shows it as registered.
shared::Status SetBHOIntoList(BhoSources& sources, shared::ListModel& list,
                              shared::RegView view = shared::RegView::kNative);
// The views Plugwarden lists: the native one, and the 32-bit one where it is a view of its own.
std::vector<shared::RegView> ListedViews(const shared::RegistryStore& store);

}  // namespace plugwarden
