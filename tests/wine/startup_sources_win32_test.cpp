// The start-up enumeration on the real registry, win.ini and Startup folders of the test prefix.
#include "tests/common/startup_sources_suite.h"
#include "tests/wine/win32_startup_machine.h"

namespace {

INSTANTIATE_TEST_SUITE_P(Win32, StartupSourcesSuite, ::testing::Values(StartupMachineFactory([] {
                           return testing_support::Win32StartupMachine("startup-targets");
                         })));

}  // namespace
