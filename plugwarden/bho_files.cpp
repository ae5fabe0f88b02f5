#include "plugwarden/bho_files.h"

#include "plugwarden/bho_staging.h"

namespace plugwarden {
namespace {

shared::Status AppendFileRows(shared::FileSystemPort& files, const std::string& path, shared::ListModel& list) {
  auto rows = shared::ReadEntryFile(files, path);
  if (!rows.ok()) return rows.status();
  for (const auto& fields : rows.value()) AddBhoRow(list, FromFields(fields));
  return shared::Status::Ok();
}

}  // namespace

std::string DisabledStorePath(shared::WindowsFolderPort& windowsFolder) {
  return shared::GetWinDir(windowsFolder) + "\\" + kDisabledStoreName;
}

std::string StartProfilePath(shared::WindowsFolderPort& windowsFolder) {
  return shared::GetWinDir(windowsFolder) + "\\" + kStartProfileName;
}

shared::EntryFields ToFields(const BhoEntry& e) {
  return {e.Name, e.Status, e.Information, e.Version, e.Path, e.Identifier};
}

BhoEntry FromFields(const shared::EntryFields& f) { return {f[0], f[1], f[2], f[3], f[4], f[5]}; }

shared::Status WriteEntryFile(shared::FileSystemPort& files, const std::vector<BhoEntry>& entries,
                              const std::string& path) {
  std::vector<shared::EntryFields> rows;
  rows.reserve(entries.size());
  for (const auto& entry : entries) rows.push_back(ToFields(entry));
  return shared::WriteEntryFile(files, rows, path);
}

shared::Status LoadStartProfile(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                shared::ListModel& list) {
  return AppendFileRows(files, StartProfilePath(windowsFolder), list);
}

shared::Status LoadDisabledStore(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                 shared::ListModel& list) {
  return AppendFileRows(files, DisabledStorePath(windowsFolder), list);
}

shared::Status SaveDisabledStore(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                                 const std::vector<BhoEntry>& appliedEntries) {
  std::vector<BhoEntry> disabled;
  for (const auto& entry : appliedEntries) {
    if (entry.Status == kStatusDisabled) disabled.push_back(entry);
  }
  const std::string path = DisabledStorePath(windowsFolder);
  if (disabled.empty()) return shared::RemoveFileIfPresent(files, path);
  return WriteEntryFile(files, disabled, path);
}

shared::Status SaveList(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                        const shared::ListModel& list) {
  std::vector<BhoEntry> rows;
  for (int position = 1; position <= list.Count(); ++position) {
    BhoEntry entry = RowToBhoEntry(list, position);
    if (entry.Status != kStatusRemove) rows.push_back(std::move(entry));
  }
  shared::Status written = WriteEntryFile(files, rows, StartProfilePath(windowsFolder));
  if (!written.ok()) return written;
  // While the box is on the profile carries the disabled rows.
  shared::RemoveFileIfPresent(files, DisabledStorePath(windowsFolder)).IgnoreError();
  return shared::Status::Ok();
}

}  // namespace plugwarden
