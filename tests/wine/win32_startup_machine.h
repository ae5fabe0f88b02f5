#pragma once
// The start-up locations of the test prefix: the real registry, win.ini and Startup folders.
#include <string>

#include "tests/common/startup_scenario.h"

namespace testing_support {

// targetFolderName: the scratch folder that holds the shortcuts' targets.
StartupMachine Win32StartupMachine(const std::string& targetFolderName);

}  // namespace testing_support
