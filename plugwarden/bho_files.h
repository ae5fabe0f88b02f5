#pragma once
// Plugwarden's entry files in the Windows folder: the disabled-entry store and the start-up
// profile, six lines per row.
#include <string>

#include "plugwarden/bho_catalogue.h"
#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/staged_list.h"
#include "shared/windows_folder_port.h"

namespace plugwarden {

inline constexpr char kDisabledStoreName[] = "SaveBHOProf.pro";
inline constexpr char kStartProfileName[] = "SaveStartBHOProf.pro";

inline std::string DisabledStorePath(shared::WindowsFolderPort& windowsFolder) {
  return shared::WindowsFolderFile(windowsFolder, kDisabledStoreName);
}
inline std::string StartProfilePath(shared::WindowsFolderPort& windowsFolder) {
  return shared::WindowsFolderFile(windowsFolder, kStartProfileName);
}

// Append the file's rows to the list; a missing file appends nothing, a file that cannot be
// read appends nothing and says why.
inline shared::Status LoadStartProfile(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                       shared::ListModel& list) {
  return shared::AppendEntryFileRows(files, StartProfilePath(windowsFolder), list);
}

// The start-up profile from every row not staged "Remove". The store stays: it holds every
// applied "Disabled" object, also those the profile does not show.
shared::Status SaveList(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                        const shared::ListModel& list);

}  // namespace plugwarden
