#pragma once
// A command line taken apart the way a shortcut holds it: the program's path, and what follows.
#include <string>

#include "shared/file_system_port.h"

namespace bootwarden {

struct SplitCommand {
  std::string target;
  std::string arguments;
  bool operator==(const SplitCommand&) const = default;
};

// The target is the first token in double quotes, without them; else the longest part before a
// blank (or the whole line) that names an existing file, so an unquoted path with blanks stays
// whole; else everything up to the first blank. The arguments are the rest, without the blanks
// that lead into them. Blanks are spaces and tabs; those around the line do not count.
SplitCommand SplitCommandLine(shared::FileSystemPort& files, const std::string& commandLine);

}  // namespace bootwarden
