// The port contracts against the real registry, files and shell of the test prefix.
#include <windows.h>

#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_shell_folder.h"
#include "shared/win32/win32_shortcut.h"
#include "shared/win32/win32_windows_folder.h"
#include "shared/win32/win32_settings.h"
#include "tests/contract/file_system_contract.h"
#include "tests/contract/language_pack_contract.h"
#include "tests/contract/profile_contract.h"
#include "tests/contract/registry_contract.h"
#include "tests/contract/shell_contract.h"
#include "tests/contract/settings_contract.h"
#include "tests/wine/test_paths.h"

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         ::testing::Values(RegistryFactory([] {
                           return std::make_unique<shared::win32::Win32Registry>();
                         })));

INSTANTIATE_TEST_SUITE_P(Win32, FileSystemContract,
                         ::testing::Values(FileSystemTarget{
                             [] { return std::make_unique<shared::win32::Win32FileSystem>(); },
                             testing_support::ScratchFolder("contract"),
                             [](shared::FileSystemPort&, const std::string& path) {
                               ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
                             }}));

static IniPorts Win32Ini() {
  return {std::make_unique<shared::win32::Win32FileSystem>(), std::make_unique<shared::win32::Win32Profile>()};
}

INSTANTIATE_TEST_SUITE_P(Win32, ProfileContract,
                         ::testing::Values(ProfileTarget{Win32Ini, testing_support::ScratchFolder("profile")}));
INSTANTIATE_TEST_SUITE_P(Win32, LanguagePackContract,
                         ::testing::Values(LanguagePackTarget{Win32Ini, testing_support::ScratchFolder("language")}));

INSTANTIATE_TEST_SUITE_P(Win32, ShellContract,
                         ::testing::Values(ShellTarget{
                             [] {
                               ShellPorts ports;
                               ports.files = std::make_unique<shared::win32::Win32FileSystem>();
                               ports.windowsFolder = std::make_unique<shared::win32::Win32WindowsFolder>();
                               ports.shellFolders = std::make_unique<shared::win32::Win32ShellFolder>();
                               ports.shortcuts = std::make_unique<shared::win32::Win32Shortcut>();
                               ports.removeEmptyFolder = [](const std::string& path) {
                                 ::RemoveDirectoryA(path.c_str());
                               };
                               return ports;
                             },
                             testing_support::ScratchFolder("shell")}));

INSTANTIATE_TEST_SUITE_P(Win32, SettingsContract, ::testing::Values(SettingsFactory([] {
                           return std::make_unique<shared::win32::Win32Settings>();
                         })));
