#pragma once
// Text rules shared by both programs: the runtime's Trim (spaces only) and the C-string view of a
// text that may carry its terminating NUL.
#include <string>
#include <string_view>

namespace shared {

// Removes leading and trailing spaces (0x20 only; tabs and NULs stay).
std::string TrimSpaces(std::string_view text);

// The text as a C string sees it: everything before the first NUL.
std::string UpToNul(std::string_view text);

// ASCII case folding, as the registry and the file system compare names.
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace shared
