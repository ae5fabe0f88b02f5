// The start-up enumeration, staging, apply and the disabled-entry cycle of both programs on the real
// registry, win.ini, Startup folders and files of the test prefix.
#include "tests/common/plugwarden_staging_suite.h"
#include "tests/common/startup_sources_suite.h"
#include "tests/common/startup_staging_suite.h"
#include "tests/wine/win32_startup_machine.h"

namespace {

INSTANTIATE_TEST_SUITE_P(Win32, PlugwardenStagingSuite, ::testing::Values(StartupMachineFactory([] {
                           return testing_support::Win32StartupMachine("plug-profiles");
                         })));
INSTANTIATE_TEST_SUITE_P(Win32, StagedListSuite, ::testing::Values(StartupMachineFactory([] {
                           return testing_support::Win32StartupMachine("staged-list");
                         })));
INSTANTIATE_TEST_SUITE_P(Win32, StartupSourcesSuite, ::testing::Values(StartupMachineFactory([] {
                           return testing_support::Win32StartupMachine("startup-targets");
                         })));
INSTANTIATE_TEST_SUITE_P(Win32, StartupStagingSuite, ::testing::Values(StartupMachineFactory([] {
                           return testing_support::Win32StartupMachine("staging-targets");
                         })));

}  // namespace
