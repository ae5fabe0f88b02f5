#pragma once
// Bootwarden's entry files: the disabled-entry store "SaveProf.pro" in the Windows folder and the
// profiles the user names, six lines per row in field order.
#include <string>
#include <vector>

#include "bootwarden/startup_sources.h"
#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/status.h"
#include "shared/windows_folder_port.h"

namespace bootwarden {

inline constexpr char kDisabledStoreName[] = "SaveProf.pro";

inline std::string DisabledStorePath(shared::WindowsFolderPort& windowsFolder) {
  return shared::WindowsFolderFile(windowsFolder, kDisabledStoreName);
}

// Writes the entries as an entry file, replacing any old one whole (it stays when the write
// fails); "" writes nothing.
shared::Status WriteStartupEntryFile(shared::FileSystemPort& files, const std::string& path,
                                     std::vector<shared::EntryRow> rows);
// The file's records up to the first one whose first line is empty; a short last record keeps
// its missing fields empty. No file reads as no records; one that cannot be read is a failure.
shared::Result<std::vector<StartupEntry>> ReadStartupEntryFile(shared::FileSystemPort& files,
                                                               const std::string& path);

}  // namespace bootwarden
