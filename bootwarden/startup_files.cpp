#include "bootwarden/startup_files.h"

#include <algorithm>

#include "shared/entry_file.h"

namespace bootwarden {

std::string DisabledStorePath(shared::WindowsFolderPort& windowsFolder) {
  return shared::GetWinDir(windowsFolder) + "\\" + kDisabledStoreName;
}

shared::Status WriteStartupEntryFile(shared::FileSystemPort& files, const std::string& path,
                                     const std::vector<StartupEntry>& entries) {
  std::vector<shared::EntryFields> rows;
  rows.reserve(entries.size());
  for (const auto& e : entries) rows.push_back({e.TaskName, e.Status, e.LoadFrom, e.User, e.When, e.Location});
  // A record with an empty task name (a key's default value) ends the file for every reader:
  // written last, it cannot hide the records after it.
  std::stable_partition(rows.begin(), rows.end(), [](const shared::EntryFields& row) { return !row[0].empty(); });
  return shared::WriteEntryFile(files, rows, path);
}

shared::Result<std::vector<StartupEntry>> ReadStartupEntryFile(shared::FileSystemPort& files,
                                                               const std::string& path) {
  auto rows = shared::ReadEntryFile(files, path);
  if (!rows.ok()) return rows.status();
  std::vector<StartupEntry> entries;
  entries.reserve(rows.value().size());
  for (const auto& f : rows.value()) entries.push_back({f[0], f[1], f[2], f[3], f[4], f[5]});
  return entries;
}

shared::Status LoadDisabledStore(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                 shared::ListModel& list) {
  auto entries = ReadStartupEntryFile(files, DisabledStorePath(windowsFolder));
  if (!entries.ok()) return entries.status();
  for (const auto& entry : entries.value()) {
    const shared::ListModel::Row row = ToRow(entry);
    const int position = list.Add(row[0]);
    for (int column = 1; column < shared::ListModel::kColumns; ++column) list.SetText(position, column, row[column]);
  }
  return shared::Status::Ok();
}

shared::Status SaveDisabledStore(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                 const std::vector<StartupEntry>& entries) {
  std::vector<StartupEntry> disabled;
  for (const auto& entry : entries) {
    if (entry.Status == kStatusDisabled) disabled.push_back(entry);
  }
  const std::string path = DisabledStorePath(windowsFolder);
  if (!disabled.empty()) return WriteStartupEntryFile(files, path, disabled);
  return shared::RemoveFileIfPresent(files, path);
}

}  // namespace bootwarden
