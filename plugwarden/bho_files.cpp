#include "plugwarden/bho_files.h"

namespace plugwarden {

shared::Status SaveList(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                        const shared::ListModel& list) {
  std::vector<shared::EntryRow> rows = shared::RowsOf(list);
  std::erase_if(rows, [](const shared::EntryRow& row) { return row[BhoEntry::kStatus] == shared::kStatusRemove; });
  shared::Status written = shared::WriteEntryFile(files, rows, StartProfilePath(windowsFolder));
  if (!written.ok()) return written;
  // While the box is on the profile carries the disabled rows.
  shared::RemoveFileIfPresent(files, DisabledStorePath(windowsFolder)).IgnoreError();
  return shared::Status::Ok();
}

}  // namespace plugwarden
