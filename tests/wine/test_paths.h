#pragma once
#include <string>

namespace testing_support {

// The folder of the running test executable, "C:\..." or "Z:\..." form, no trailing backslash.
std::string ExecutableFolder();
// A fresh folder under the user's temporary folder, named for the test.
std::string ScratchFolder(const std::string& name);

}  // namespace testing_support
