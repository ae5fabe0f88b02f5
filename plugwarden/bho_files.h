#pragma once
// Plugwarden's entry files in the Windows folder: the disabled-entry store and the start-up
// profile, six lines per row.
#include <string>
#include <vector>

#include "plugwarden/bho_catalogue.h"
#include "shared/entry_file.h"
#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/windows_folder_port.h"

namespace plugwarden {

inline constexpr char kDisabledStoreName[] = "SaveBHOProf.pro";
inline constexpr char kStartProfileName[] = "SaveStartBHOProf.pro";

std::string DisabledStorePath(shared::WindowsFolderPort& windowsFolder);
std::string StartProfilePath(shared::WindowsFolderPort& windowsFolder);

shared::EntryFields ToFields(const BhoEntry& entry);
BhoEntry FromFields(const shared::EntryFields& fields);

// Writes the entries as an entry file, replacing the old one whole; "" writes nothing.
shared::Status WriteEntryFile(shared::FileSystemPort& files, const std::vector<BhoEntry>& entries,
                              const std::string& path);

// Append the file's rows to the list; a missing file appends nothing, a file that cannot be
// read appends nothing and says why.
shared::Status LoadStartProfile(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                shared::ListModel& list);
shared::Status LoadDisabledStore(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                 shared::ListModel& list);

// Rewrites the store with the records whose status is "Disabled", or deletes it when there are
// none (a missing store is fine).
shared::Status SaveDisabledStore(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                 const std::vector<BhoEntry>& appliedEntries);

// The start-up profile from every row not staged "Remove"; the store is deleted only once the
// profile is safely written, since until then the store is where disabled objects live.
shared::Status SaveList(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                        const shared::ListModel& list);

}  // namespace plugwarden
