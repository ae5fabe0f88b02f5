#include "bootwarden/startup_profiles.h"

#include "bootwarden/startup_files.h"

namespace bootwarden {
namespace {

constexpr char kCrLf[] = "\r\n";

}  // namespace

void StartupProfiles::SaveProfileClicked() {
  auto chosen = dialog_.ChooseFileToSave();
  if (!chosen.ok()) return Tell(chosen.status().message());
  if (!chosen.value() || chosen.value()->empty()) return;
  profilePath_ = *chosen.value();
  const shared::Status written = WriteStartupEntryFile(files_, profilePath_, shared::RowsOf(list_));
  if (!written.ok()) Tell("The list could not be saved to " + profilePath_ + "." + kCrLf + "Reason: " + written.message());
}

void StartupProfiles::LoadProfileClicked() {
  auto chosen = dialog_.ChooseFileToOpen();
  if (!chosen.ok()) return Tell(chosen.status().message());
  if (!chosen.value() || chosen.value()->empty()) return;
  profilePath_ = *chosen.value();
  // A missing file would read as an empty list.
  if (!shared::FileExists(files_, profilePath_))
    return Tell("The profile " + profilePath_ + " was not found; the list stays as it is.");
  auto rows = ReadStartupEntryFile(files_, profilePath_);
  if (!rows.ok())
    return Tell("The profile " + profilePath_ + " could not be read; the list stays as it is." + kCrLf +
                "Reason: " + rows.status().message());
  if (rows.value().empty()) return Tell("The profile " + profilePath_ + " holds no entries; the list stays as it is.");
  staging_.ReplaceRows(rows.value());
}

void StartupProfiles::Tell(const std::string& text) { prompt_.Ask(text, shared::kMbIconCritical, kAppTitle); }

}  // namespace bootwarden
