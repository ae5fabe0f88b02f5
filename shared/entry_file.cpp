#include "shared/entry_file.h"

#include <algorithm>

namespace shared {
namespace {

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

}  // namespace

std::string FormatEntryFile(const std::vector<EntryFields>& entries) {
  std::string contents;
  for (const auto& entry : entries) {
    for (const auto& field : entry) contents += OneLine(field) + "\r\n";
  }
  return contents;
}

std::vector<EntryFields> ParseEntryFile(const std::string& contents) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  std::vector<EntryFields> entries;
  for (std::size_t i = 0; i < lines.size() && !lines[i].empty(); i += 6) {
    EntryFields entry;
    for (std::size_t field = 0; field < 6 && i + field < lines.size(); ++field) entry[field] = lines[i + field];
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
