#include "plugwarden/bho_files.h"

namespace plugwarden {

shared::Status SaveList(shared::FileSystemPort& files, shared::WindowsFolderPort& windowsFolder,
                        const shared::ListModel& list) {
  std::vector<shared::EntryRow> rows = shared::RowsOf(list);
  std::erase_if(rows, [](const shared::EntryRow& row) { return row[BhoEntry::kStatus] == shared::kStatusRemove; });
  return shared::WriteEntryFile(files, rows, StartProfilePath(windowsFolder));
}

}  // namespace plugwarden
