#include "plugwarden/bho_profiles.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "plugwarden/bho_files.h"
#include "shared/entry_file.h"
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

// The next record's name and field lines, straight from the text; false at the end or at an empty
// name line. A short last record's missing lines stay empty.
bool NextRecord(std::string_view& rest, std::string_view& name, std::array<std::string_view, kRecordLines - 1>& fields) {
  if (!shared::TakeLine(rest, name) || name.empty()) return false;
  fields = {};
  for (auto& field : fields) {
    if (!shared::TakeLine(rest, field)) break;
  }
  return true;
}

}  // namespace

std::vector<ProfileRecord> ParseProfiles(const std::string& contents) {
  std::vector<ProfileRecord> records;
  std::string_view rest = contents;
  std::string_view name;
  std::array<std::string_view, kRecordLines - 1> lines;
  while (NextRecord(rest, name, lines)) {
    BhoEntry entry;
    constexpr auto fields = FieldsOf(static_cast<const BhoEntry*>(nullptr));
    for (std::size_t field = 0; field < fields.size(); ++field) entry.*fields[field] = lines[field];
    records.push_back({std::string(name), std::move(entry)});
  }
  return records;
}

char BhoProfiles::TypedCharacter(char typed) { return shared::ToUpperAscii(std::string(1, typed))[0]; }

shared::Result<std::string> BhoProfiles::ReadText() {
  const std::string path = FilePath();
  if (!shared::FileExists(files_, path)) return std::string();
  return files_.ReadFile(path);
}

bool BhoProfiles::IsNameExist(const std::string& name) {
  // A file that cannot be read holds no name we know of; Save then says why it cannot append.
  const std::string contents = ReadText().value_or("");
  std::string_view rest = contents;
  std::string_view profile;
  std::array<std::string_view, kRecordLines - 1> fields;
  while (NextRecord(rest, profile, fields)) {
    if (profile == name) return true;
  }
  return false;
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
               language_.SetCaptionfromINI(kDescriptionKey, kDescriptionLabel) + " " + old.status().message(),
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
             language_.SetCaptionfromINI(kDescriptionKey, kDescriptionLabel) + " " + written.message(),
         shared::kMbIconCritical);
    return SaveOutcome::kFailed;
  }
  return SaveOutcome::kSaved;
}

std::vector<std::string> BhoProfiles::ProfileNames() {
  std::vector<std::string> names;
  auto contents = ReadText();
  if (!contents.ok()) {
    TellUnreadable(contents.status());
    return names;
  }
  std::string_view rest = contents.value();
  std::string_view profile;
  std::array<std::string_view, kRecordLines - 1> fields;
  while (NextRecord(rest, profile, fields)) {
    if (!names.empty() && profile == names.back()) continue;
    names.emplace_back(profile);
  }
  return names;
}

bool BhoProfiles::Load(const std::vector<std::string>& names, const std::string& chosen, BhoStaging& staging) {
  auto contents = ReadText();
  // No names because the file cannot be read is not "no profile".
  if (!contents.ok()) {
    TellUnreadable(contents.status());
    return false;
  }
  if (names.empty()) {
    Tell(language_.SetCaptionfromINI("8513", ""), shared::kMbOk);
    return false;
  }
  std::vector<BhoEntry> rows;
  for (auto& record : ParseProfiles(contents.value())) {
    if (record.profile == chosen) rows.push_back(std::move(record.entry));
  }
  staging.ReplaceRows(rows);
  return true;
}

void BhoProfiles::Tell(const std::string& text, int style) { prompt_.Ask(text, style, kAppTitle); }

void BhoProfiles::TellUnreadable(const shared::Status& why) {
  Tell(language_.SetCaptionfromINI("8601", "") + FilePath() + kCrLf +
           language_.SetCaptionfromINI(kDescriptionKey, kDescriptionLabel) + " " + why.message(),
       shared::kMbIconCritical);
}

}  // namespace plugwarden
