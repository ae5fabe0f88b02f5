#include "shared/entry_file.h"

#include <algorithm>

#include "shared/text.h"

namespace shared {
namespace {

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// A row's first line is never empty, or the reader would stop there and lose it and every row
// after it: a first field of blanks only (none included) is written with one blank more, and
// read back with one less.
bool OnlyBlanks(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

std::string FormatEntryFile(const std::vector<EntryFields>& entries) {
  std::string contents;
  for (const auto& entry : entries) {
    const std::string first = OneLine(entry[0]);
    contents += first + (OnlyBlanks(first) ? " \r\n" : "\r\n");
    for (std::size_t field = 1; field < entry.size(); ++field) contents += OneLine(entry[field]) + "\r\n";
  }
  return contents;
}

std::vector<EntryFields> ParseEntryFile(const std::string& contents) {
  const std::vector<std::string> lines = SplitLines(contents);
  std::vector<EntryFields> entries;
  for (std::size_t i = 0; i < lines.size() && !lines[i].empty(); i += 6) {
    EntryFields entry;
    for (std::size_t field = 0; field < 6 && i + field < lines.size(); ++field) entry[field] = lines[i + field];
    if (OnlyBlanks(entry[0])) entry[0].pop_back();
    entries.push_back(std::move(entry));
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
