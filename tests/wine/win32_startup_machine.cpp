#include "tests/wine/win32_startup_machine.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/win32_shell_folder.h"
#include "shared/win32/win32_shortcut.h"
#include "shared/win32/win32_system.h"
#include "shared/win32/win32_version.h"
#include "shared/win32/win32_windows_folder.h"
#include "tests/wine/test_paths.h"

namespace testing_support {

StartupMachine Win32StartupMachine(const std::string& targetFolderName) {
  StartupMachine machine;
  machine.files = std::make_unique<shared::win32::Win32FileSystem>();
  machine.registry = std::make_unique<shared::win32::Win32Registry>();
  machine.profile = std::make_unique<shared::win32::Win32Profile>();
  machine.shellFolders = std::make_unique<shared::win32::Win32ShellFolder>();
  machine.windowsFolder = std::make_unique<shared::win32::Win32WindowsFolder>();
  machine.shortcuts = std::make_unique<shared::win32::Win32Shortcut>();
  machine.system = std::make_unique<shared::win32::Win32System>();
  machine.versions = std::make_unique<shared::win32::Win32Version>();
  machine.settings = std::make_unique<shared::win32::Win32Settings>();
  machine.clock = std::make_unique<shared::win32::Win32Clock>();
  machine.hideFile = [](const std::string& path) {
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) << path;
  };
  machine.removeEmptyFolder = [](const std::string& path) { ::RemoveDirectoryA(path.c_str()); };
  machine.lockFile = [](const std::string& path) {
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(held, INVALID_HANDLE_VALUE) << path;
    return std::function<void()>([held] { ::CloseHandle(held); });
  };
  machine.targetFolder = ScratchFolder(targetFolderName);
  machine.module = ExecutableFolder() + "\\warden_plain_module.dll";
  return machine;
}

}  // namespace testing_support
