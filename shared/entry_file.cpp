#include "shared/entry_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>


namespace shared {
namespace {

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

bool OnlyBlanks(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// What a field is written as when its line breaks become blanks.
bool WrittenAsBlanks(std::string_view text) { return text.find_first_not_of(" \r\n") == std::string_view::npos; }

// True when a byte below 14 (CR is 13, LF 10) may be among the n: fields almost never hold one, so
// eight bytes are tested at a time and only a hit is looked at byte by byte.
bool MayHoldLineBreak(const char* bytes, std::size_t n) {
  std::size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    if ((word - 0x0E0E0E0E0E0E0E0EULL) & ~word & 0x8080808080808080ULL) return true;
  }
  for (; i < n; ++i) {
    if (static_cast<unsigned char>(bytes[i]) < 14) return true;
  }
  return false;
}

}  // namespace

bool TakeLine(std::string_view& text, std::string_view& line) {
  if (text.empty()) return false;
  const std::size_t end = std::min(text.find('\n'), text.size());
  line = text.substr(0, end);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  text.remove_prefix(std::min(end + 1, text.size()));
  return true;
}

// Each field is one line: a line break inside it becomes a space. A first field of blanks only
// (none included) gets one blank more, so that the reader, which stops at an empty first line and
// would lose that row and every row after it, reads it back with one less. The size is known
// beforehand, so the bytes are copied straight into place: the store of a long list is rewritten
// on every Apply.
std::string FormatEntryFile(const std::vector<EntryFields>& entries) {
  std::size_t size = 0;
  for (const auto& entry : entries) {
    for (const auto& field : entry) size += field.size() + 2;
    if (WrittenAsBlanks(entry[0])) ++size;
  }
  std::string contents(size, ' ');
  char* out = contents.data();
  for (const auto& entry : entries) {
    for (std::size_t field = 0; field < entry.size(); ++field) {
      const std::string& text = entry[field];
      std::memcpy(out, text.data(), text.size());
      if (MayHoldLineBreak(out, text.size())) std::replace_if(out, out + text.size(), IsLineBreak, ' ');
      out += text.size();
      if (field == 0 && WrittenAsBlanks(text)) ++out;  // the extra blank is already there
      *out++ = '\r';
      *out++ = '\n';
    }
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
