#include "bootwarden/command_line.h"

#include <algorithm>
#include <string_view>

namespace bootwarden {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

SplitCommand SplitAt(std::string_view line, std::size_t targetEnd) {
  return {std::string(line.substr(0, targetEnd)), std::string(TrimBlanks(line.substr(targetEnd)))};
}

}  // namespace

SplitCommand SplitCommandLine(shared::FileSystemPort& files, const std::string& commandLine) {
  const std::string_view line = TrimBlanks(commandLine);
  if (line.empty()) return {};
  if (line.front() == '"') {
    const std::size_t close = line.find('"', 1);
    // An unclosed quote runs to the end, as the command processor reads it.
    if (close == std::string_view::npos) return {std::string(line.substr(1)), {}};
    return {std::string(line.substr(1, close - 1)), std::string(TrimBlanks(line.substr(close + 1)))};
  }
  // Longest first: "C:\Program Files\Tool\tool.exe /x" must not stop at "C:\Program".
  for (std::size_t end = line.size();;) {
    if (shared::FileExists(files, std::string(line.substr(0, end)))) return SplitAt(line, end);
    const std::size_t blank = line.find_last_of(kBlanks, end - 1);
    if (blank == std::string_view::npos) break;
    end = line.find_last_not_of(kBlanks, blank) + 1;
  }
  return SplitAt(line, std::min(line.find_first_of(kBlanks), line.size()));
}

}  // namespace bootwarden
