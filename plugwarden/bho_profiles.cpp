#include "plugwarden/bho_profiles.h"

#include <algorithm>

#include "plugwarden/bho_files.h"
#include "shared/text.h"

namespace plugwarden {
namespace {

constexpr char kCrLf[] = "\r\n";
constexpr std::size_t kRecordLines = 7;

// A line break inside a text would shift every later record.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

}  // namespace

std::vector<ProfileRecord> ParseProfiles(const std::string& contents) {
  const std::vector<std::string> lines = shared::SplitLines(contents);
  std::vector<ProfileRecord> records;
  for (std::size_t i = 0; i < lines.size() && !lines[i].empty(); i += kRecordLines) {
    shared::EntryFields fields;
    for (std::size_t field = 0; field < fields.size() && i + 1 + field < lines.size(); ++field)
      fields[field] = lines[i + 1 + field];
    records.push_back({lines[i], shared::FromRow<BhoEntry>(fields)});
  }
  return records;
}

char BhoProfiles::TypedCharacter(char typed) { return shared::ToUpperAscii(std::string(1, typed))[0]; }

shared::Result<std::vector<ProfileRecord>> BhoProfiles::Read() {
  const std::string path = FilePath();
  if (!shared::FileExists(files_, path)) return std::vector<ProfileRecord>{};
  auto contents = files_.ReadFile(path);
  if (!contents.ok()) return contents.status();
  return ParseProfiles(contents.value());
}

bool BhoProfiles::IsNameExist(const std::string& name) {
  // A file that cannot be read holds no name we know of; Save then says why it cannot append.
  const auto records = Read().value_or({});
  return std::any_of(records.begin(), records.end(), [&](const ProfileRecord& r) { return r.profile == name; });
}

BhoProfiles::SaveOutcome BhoProfiles::Save(const std::string& name, const shared::ListModel& list) {
  if (name.empty()) return SaveOutcome::kNothing;
  if (IsNameExist(name)) {
    Tell(language_.SetCaptionfromINI("8517", ""), shared::kMbOk);
    return SaveOutcome::kNameExists;
  }
  if (list.Count() == 0) return SaveOutcome::kSaved;

  const std::string path = FilePath();
  std::string contents;
  if (shared::FileExists(files_, path)) {
    auto old = files_.ReadFile(path);
    if (!old.ok()) {
      Tell(language_.SetCaptionfromINI("8618", "The profile could not be saved:") + " " + path + " " +
               language_.SetCaptionfromINI("8619", "cannot be read.") + kCrLf +
               language_.SetCaptionfromINI("8607", kDescriptionLabel) + " " + old.status().message(),
           shared::kMbIconCritical);
      return SaveOutcome::kFailed;
    }
    contents = std::move(old).value();
    // A last line without its line end would swallow the new record's first line.
    if (!contents.empty() && contents.back() != '\n') contents += kCrLf;
  }
  const std::string profileLine = OneLine(name) + kCrLf;
  for (int position = 1; position <= list.Count(); ++position) {
    contents += profileLine;
    for (const auto& text : list.RowAt(position)) contents += OneLine(text) + kCrLf;
  }
  const shared::Status written = files_.WriteFileAtomic(path, contents);
  if (!written.ok()) {
    Tell(language_.SetCaptionfromINI("8620", "The profile could not be saved to") + " " + path + "." + kCrLf +
             language_.SetCaptionfromINI("8607", kDescriptionLabel) + " " + written.message(),
         shared::kMbIconCritical);
    return SaveOutcome::kFailed;
  }
  return SaveOutcome::kSaved;
}

std::vector<std::string> BhoProfiles::ProfileNames() {
  std::vector<std::string> names;
  auto records = Read();
  if (!records.ok()) {
    TellUnreadable(records.status());
    return names;
  }
  std::string previous;
  for (const auto& record : records.value()) {
    if (record.profile == previous) continue;
    names.push_back(record.profile);
    previous = record.profile;
  }
  return names;
}

bool BhoProfiles::Load(const std::vector<std::string>& names, const std::string& chosen, BhoStaging& staging) {
  auto records = Read();
  // No names because the file cannot be read is not "no profile".
  if (!records.ok()) {
    TellUnreadable(records.status());
    return false;
  }
  if (names.empty()) {
    Tell(language_.SetCaptionfromINI("8513", ""), shared::kMbOk);
    return false;
  }
  std::vector<BhoEntry> rows;
  for (const auto& record : records.value()) {
    if (record.profile == chosen) rows.push_back(record.entry);
  }
  staging.ReplaceRows(rows);
  return true;
}

void BhoProfiles::Tell(const std::string& text, int style) { prompt_.Ask(text, style, kAppTitle); }

void BhoProfiles::TellUnreadable(const shared::Status& why) {
  Tell(language_.SetCaptionfromINI("8601", "") + FilePath() + kCrLf +
           language_.SetCaptionfromINI("8607", kDescriptionLabel) + " " + why.message(),
       shared::kMbIconCritical);
}

}  // namespace plugwarden
