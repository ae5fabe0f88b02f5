#include "shared/language_pack.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "shared/text.h"

namespace shared {
namespace {

// Win32 numbers, so a record reads like the platform's errors.
constexpr std::int32_t kErrorNotEnoughMemory = 8;
constexpr std::int32_t kErrorInvalidName = 123;

}  // namespace

// A pack is a file of the Lang folder: a name that points anywhere else (a path, a drive, a
// stream, a device reached through a path) is refused rather than read from wherever it points.
bool IsPlainPackName(const std::string& name) {
  return !name.empty() && name.find_first_of(std::string("\\/:\0", 4)) == std::string::npos &&
         name != "." && name != "..";
}

std::string LanguagePack::LanguageFolder() const { return programFolder_ + "\\" + kLanguageFolderName; }

Result<std::string> LanguagePack::PackPath() const {
  if (programFolder_.empty())
    return Status::Error(kErrorPathNotFound, DefaultErrorText(kErrorPathNotFound));
  // "" is still a lookup of a missing file (defaults), as before the language is chosen.
  if (!currentLanguageFile_.empty() && !IsPlainPackName(currentLanguageFile_))
    return Status::Error(kErrorInvalidName, "The filename, directory name, or volume label syntax is incorrect.");
  return LanguageFolder() + "\\" + currentLanguageFile_;
}

std::string LanguagePack::SetCaptionfromINI(const std::string& key, const std::string& defaultText) {
  Status failure;
  try {
    const Result<std::string> path = PackPath();
    if (path.ok()) {
      const std::string value =
          profile_.GetString(kLanguagePackSection, key, defaultText, kLanguageTextBuffer, path.value());
      // The text as it stands in a buffer of 500 spaces after the call: value, NUL, spaces.
      std::string buffer(kLanguageTextBuffer, ' ');
      const std::size_t length = std::min<std::size_t>(value.size(), kLanguageTextBuffer - 1);
      buffer.replace(0, length, value, 0, length);
      buffer[length] = '\0';
      std::string text = TrimSpaces(buffer);
      if (!text.empty()) text.pop_back();  // the NUL
      return text;
    }
    failure = path.status();
  } catch (const std::bad_alloc&) {
    failure = Status::Error(kErrorNotEnoughMemory, "Not enough memory resources are available to process this command.");
  }
  try {
    WriteErrorLog(LookupErrorMessage(failure));
  } catch (const std::bad_alloc&) {
  }
  return {};
}

void LanguagePack::WriteErrorLog(const std::string& message) {
  // Without the program folder the log would land in the root of the current drive.
  if (programFolder_.empty()) return;
  files_.AppendFile(programFolder_ + "\\" + kErrorLogName, FormatErrorLogRecord(clock_.Now(), message))
      .IgnoreError();
}

std::string FormatErrorLogRecord(const LocalTimeText& now, const std::string& message) {
  return "\"\r\nDate: " + now.date + "\",\"Time: " + now.time + "\",\"" + message + "\"\r\n";
}

std::string LookupErrorMessage(const Status& failure) {
  return "Error Description: " + failure.message() + ", Error Number: " + std::to_string(failure.code()) +
         ", Method: SetCaptionfromINI";
}

}  // namespace shared
