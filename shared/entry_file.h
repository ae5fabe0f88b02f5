#pragma once
// The entry file both programs keep their remembered rows in: ANSI text, CR LF line ends, no
// header, six lines per row in field order, rows back to back. A reader stops at the first row
// whose first line is empty, or at the end of the file; a first field of blanks only is written
// with one blank more, so no row of a file ends it.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "shared/file_system_port.h"
#include "shared/status.h"

namespace shared {

using EntryFields = std::array<std::string, 6>;

// Takes the next line off the front of the text, without its LF and one CR before that; false at
// the end of the text (a last line end starts no line). Readers go through a file's lines with
// it rather than splitting the whole text first.
bool TakeLine(std::string_view& text, std::string_view& line);

// A line break inside a field would shift every later row, so it is written as a space.
std::string FormatEntryFile(const std::vector<EntryFields>& entries);
// A last row cut short keeps what it has, the missing fields empty.
std::vector<EntryFields> ParseEntryFile(const std::string& contents);

// Replaces the file as a whole (the old one stays when the write fails); "" writes nothing.
Status WriteEntryFile(FileSystemPort& files, const std::vector<EntryFields>& entries, const std::string& path);
// No file reads as no rows; a file that exists but cannot be read is a failure.
Result<std::vector<EntryFields>> ReadEntryFile(FileSystemPort& files, const std::string& path);

}  // namespace shared
