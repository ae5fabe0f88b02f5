#include "bootwarden/startup_files.h"

#include "shared/entry_file.h"

namespace bootwarden {

shared::Status WriteStartupEntryFile(shared::FileSystemPort& files, const std::string& path,
                                     std::vector<shared::EntryRow> rows) {
  return shared::WriteEntryFile(files, rows, path);
}

shared::Result<std::vector<StartupEntry>> ReadStartupEntryFile(shared::FileSystemPort& files,
                                                               const std::string& path) {
  auto rows = shared::ReadEntryFile(files, path);
  if (!rows.ok()) return rows.status();
  return shared::FromRows<StartupEntry>(rows.value());
}

}  // namespace bootwarden
