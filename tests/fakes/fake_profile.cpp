#include "tests/fakes/fake_profile.h"

#include <sstream>
#include <vector>

#include "shared/text.h"

namespace fakes {
namespace {

std::string TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> SplitLines(const std::string& contents) {
  std::vector<std::string> lines;
  std::istringstream in(contents);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The section a line opens, or nothing.
std::optional<std::string> SectionName(const std::string& line) {
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
  const auto close = trimmed.find(']');
  return TrimBlanks(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// Key and value of an entry line, or nothing for blank and comment lines.
std::optional<std::pair<std::string, std::string>> Entry(const std::string& line) {
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed[0] == ';') return std::nullopt;
  const auto equals = trimmed.find('=');
  if (equals == std::string::npos) return std::make_pair(trimmed, std::string());
  return std::make_pair(TrimBlanks(trimmed.substr(0, equals)), TrimBlanks(trimmed.substr(equals + 1)));
}

}  // namespace

std::string FakeProfile::Resolve(const std::string& file) const {
  const std::string path = shared::UpToNul(file);
  return path.find_first_of("\\/") == std::string::npos ? windowsFolder_ + "\\" + path : path;
}

std::string FakeProfile::GetString(const std::string& section, const std::string& key, const std::string& defaultText,
                                   std::uint32_t bufferSize, const std::string& file) {
  if (bufferSize == 0) return {};
  // The platform drops trailing spaces of the default.
  std::string result = shared::UpToNul(defaultText);
  while (!result.empty() && result.back() == ' ') result.pop_back();

  const std::string wantedSection = shared::UpToNul(section);
  const std::string wantedKey = shared::UpToNul(key);
  bool inSection = false;
  for (const std::string& line : SplitLines(files_.ReadFile(Resolve(file)).value_or(""))) {
    if (const auto name = SectionName(line)) {
      if (inSection) break;
      inSection = shared::EqualsIgnoreCase(*name, wantedSection);
      continue;
    }
    if (!inSection) continue;
    const auto entry = Entry(line);
    if (!entry || !shared::EqualsIgnoreCase(entry->first, wantedKey)) continue;
    result = entry->second;
    // A value in matching quotes comes back without them.
    if (result.size() >= 2 && (result.front() == '"' || result.front() == '\'') && result.back() == result.front())
      result = result.substr(1, result.size() - 2);
    break;
  }
  if (result.size() > bufferSize - 1) result.resize(bufferSize - 1);
  return result;
}

shared::Status FakeProfile::WriteString(const std::string& section, const std::string& key,
                                        const std::optional<std::string>& value, const std::string& file) {
  const std::string path = Resolve(file);
  std::vector<std::string> lines = SplitLines(files_.ReadFile(path).value_or(""));
  const std::string wantedSection = shared::UpToNul(section);
  const std::string wantedKey = shared::UpToNul(key);
  const std::optional<std::string> text = value ? std::optional(shared::UpToNul(*value)) : std::nullopt;

  std::size_t sectionLine = 0;
  for (; sectionLine < lines.size(); ++sectionLine) {
    const auto name = SectionName(lines[sectionLine]);
    if (name && shared::EqualsIgnoreCase(*name, wantedSection)) break;
  }
  if (sectionLine == lines.size()) {
    if (!text) return shared::Status::Ok();  // nothing to delete
    if (!lines.empty() && !TrimBlanks(lines.back()).empty()) lines.push_back("");
    lines.push_back("[" + wantedSection + "]");
    lines.push_back(wantedKey + "=" + *text);
  } else {
    std::size_t lastEntry = sectionLine;
    std::optional<std::size_t> found;
    for (std::size_t at = sectionLine + 1; !found && at < lines.size() && !SectionName(lines[at]); ++at) {
      const auto entry = Entry(lines[at]);
      if (entry && shared::EqualsIgnoreCase(entry->first, wantedKey)) found = at;
      else if (entry) lastEntry = at;
    }
    if (found && text) lines[*found] = Entry(lines[*found])->first + "=" + *text;
    else if (found) lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(*found));
    else if (text) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastEntry + 1), wantedKey + "=" + *text);
  }
  std::string contents;
  for (const auto& line : lines) contents += line + "\r\n";
  return files_.WriteFileAtomic(path, contents);
}

}  // namespace fakes
