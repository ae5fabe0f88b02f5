// Staging, apply and the disabled-entry cycle of both programs on the real registry, win.ini,
// Startup folders and files of the test prefix.
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/win32_system.h"
#include "shared/win32/win32_version.h"
#include "shared/win32/win32_windows_folder.h"
#include "tests/common/plugwarden_staging_suite.h"
#include "tests/common/startup_staging_suite.h"
#include "tests/wine/test_paths.h"
#include "tests/wine/win32_startup_machine.h"

namespace {

testing_support::PlugwardenWorld Win32PlugwardenWorld() {
  namespace win32 = shared::win32;
  testing_support::PlugwardenWorld world;
  world.files = std::make_unique<win32::Win32FileSystem>();
  world.registry = std::make_unique<win32::Win32Registry>();
  world.versions = std::make_unique<win32::Win32Version>();
  world.system = std::make_unique<win32::Win32System>();
  world.settings = std::make_unique<win32::Win32Settings>();
  world.windowsFolder = std::make_unique<win32::Win32WindowsFolder>();
  world.profile = std::make_unique<win32::Win32Profile>();
  world.clock = std::make_unique<win32::Win32Clock>();
  world.module = testing_support::ExecutableFolder() + "\\warden_plain_module.dll";
  world.programFolder = testing_support::ScratchFolder("plug-profiles");
  return world;
}

INSTANTIATE_TEST_SUITE_P(Win32, PlugwardenStagingSuite, ::testing::Values(Win32PlugwardenWorld));
INSTANTIATE_TEST_SUITE_P(Win32, StagedListSuite, ::testing::Values(StartupMachineFactory([] {
                           return testing_support::Win32StartupMachine("staged-list");
                         })));
INSTANTIATE_TEST_SUITE_P(Win32, StartupStagingSuite, ::testing::Values(StartupMachineFactory([] {
                           return testing_support::Win32StartupMachine("staging-targets");
                         })));

}  // namespace
