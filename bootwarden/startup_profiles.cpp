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
  if (!written.ok())
    Tell(staging_.Text("445", "The list could not be saved to") + " " + profilePath_ + "." + kCrLf +
         staging_.Text(kReasonKey, kReasonLabel) + " " + written.message());
}

void StartupProfiles::LoadProfileClicked() {
  auto chosen = dialog_.ChooseFileToOpen();
  if (!chosen.ok()) return Tell(chosen.status().message());
  if (!chosen.value() || chosen.value()->empty()) return;
  profilePath_ = *chosen.value();
  // A missing file would read as an empty list.
  if (!shared::FileExists(files_, profilePath_))
    return Tell(Profile() + staging_.Text("447", "was not found; the list stays as it is."));
  auto rows = ReadStartupEntryFile(files_, profilePath_);
  if (!rows.ok())
    return Tell(Profile() + staging_.Text("448", "could not be read; the list stays as it is.") + kCrLf +
                staging_.Text(kReasonKey, kReasonLabel) + " " + rows.status().message());
  if (rows.value().empty()) return Tell(Profile() + staging_.Text("449", "holds no entries; the list stays as it is."));
  staging_.ReplaceRows(rows.value());
}

// "The profile <path> ", which the profile's texts go on from.
std::string StartupProfiles::Profile() const { return staging_.Text("446", "The profile") + " " + profilePath_ + " "; }

void StartupProfiles::Tell(const std::string& text) { prompt_.Ask(text, shared::kMbIconCritical, kAppTitle); }

}  // namespace bootwarden
