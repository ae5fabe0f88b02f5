#include "shared/entry_file.h"

#include <algorithm>


namespace shared {
namespace {

// Appends the text as one line: a line break inside it becomes a space. A first field of blanks
// only (none included) gets one blank more, so that the reader, which stops at an empty first
// line and would lose that row and every row after it, reads it back with one less.
void AppendLine(std::string& contents, std::string_view text, bool firstField) {
  const std::size_t start = contents.size();
  contents.append(text);
  bool blanksOnly = true;
  for (std::size_t i = start; i < contents.size(); ++i) {
    char& c = contents[i];
    if (c == '\r' || c == '\n') c = ' ';
    blanksOnly = blanksOnly && c == ' ';
  }
  if (firstField && blanksOnly) contents += ' ';
  contents += "\r\n";
}

bool OnlyBlanks(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

bool TakeLine(std::string_view& text, std::string_view& line) {
  if (text.empty()) return false;
  const std::size_t end = std::min(text.find('\n'), text.size());
  line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  text.remove_prefix(std::min(end + 1, text.size()));
  return true;
}

std::string FormatEntryFile(const std::vector<EntryFields>& entries) {
  std::size_t size = 0;
  for (const auto& entry : entries) {
    for (const auto& field : entry) size += field.size() + 2;
    ++size;  // a blank first field's extra blank
  }
  std::string contents;
  contents.reserve(size);
  for (const auto& entry : entries) {
    for (std::size_t field = 0; field < entry.size(); ++field) AppendLine(contents, entry[field], field == 0);
  }
  return contents;
}

std::vector<EntryFields> ParseEntryFile(const std::string& contents) {
  std::vector<EntryFields> entries;
  // Six lines a row: growing the vector row by row would move every row read so far again.
  entries.reserve(static_cast<std::size_t>(std::count(contents.begin(), contents.end(), '\n')) / 6 + 1);
  std::string_view rest = contents;
  std::string_view line;
  while (TakeLine(rest, line) && !line.empty()) {
    EntryFields& entry = entries.emplace_back();
    entry[0] = line;
    for (std::size_t field = 1; field < entry.size() && TakeLine(rest, line); ++field) entry[field] = line;
    if (OnlyBlanks(entry[0])) entry[0].pop_back();
  }
  return entries;
}

Status WriteEntryFile(FileSystemPort& files, const std::vector<EntryFields>& entries, const std::string& path) {
  if (path.empty()) return Status::Ok();
  return files.WriteFileAtomic(path, FormatEntryFile(entries));
}

Result<std::vector<EntryFields>> ReadEntryFile(FileSystemPort& files, const std::string& path) {
  if (!FileExists(files, path)) return std::vector<EntryFields>{};
  auto contents = files.ReadFile(path);
  if (!contents.ok()) return contents.status();
  return ParseEntryFile(contents.value());
}

}  // namespace shared
