#include "bootwarden/startup_files.h"

#include <algorithm>

#include "shared/entry_file.h"

namespace bootwarden {

shared::Status WriteStartupEntryFile(shared::FileSystemPort& files, const std::string& path,
                                     std::vector<shared::EntryRow> rows) {
  // A record with an empty task name (a key's default value) ends the file for every reader:
  // written last, it cannot hide the records after it.
  std::stable_partition(rows.begin(), rows.end(), [](const shared::EntryFields& row) { return !row[0].empty(); });
  return shared::WriteEntryFile(files, rows, path);
}

shared::Result<std::vector<StartupEntry>> ReadStartupEntryFile(shared::FileSystemPort& files,
                                                               const std::string& path) {
  auto rows = shared::ReadEntryFile(files, path);
  if (!rows.ok()) return rows.status();
  return shared::FromRows<StartupEntry>(rows.value());
}

shared::Status SaveDisabledStore(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                 const std::vector<StartupEntry>& entries) {
  std::vector<StartupEntry> disabled;
  for (const auto& entry : entries) {
    if (entry.Status == shared::kStatusDisabled) disabled.push_back(entry);
  }
  const std::string path = DisabledStorePath(windowsFolder);
  if (!disabled.empty()) return WriteStartupEntryFile(files, path, shared::ToRows(disabled));
  return shared::RemoveFileIfPresent(files, path);
}

}  // namespace bootwarden
