// A version.dll placed beside a program, or in the current folder, is never loaded once the
// program has hardened its loading.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/test_paths.h"

namespace {

DWORD RunProbe(const std::string& folder, const std::string& arguments) {
  std::string line = "\"" + folder + "\\dll_planting_probe.exe\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD code = STILL_ACTIVE;
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &process))
    return code;
  ::WaitForSingleObject(process.hProcess, 30000);
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return code;
}

TEST(DllPlantingWin32, APlantedVersionDllIsLoadedOnlyWithoutTheHardening) {
  const std::string build = testing_support::ExecutableFolder();
  const std::string folder = testing_support::ScratchFolder("dll-planting");
  ASSERT_TRUE(::CopyFileA((build + "\\dll_planting_probe.exe").c_str(), (folder + "\\dll_planting_probe.exe").c_str(),
                          FALSE));
  // Any DLL will do as the plant.
  ASSERT_TRUE(::CopyFileA((build + "\\warden_plain_module.dll").c_str(), (folder + "\\version.dll").c_str(), FALSE));
  // Wine's own rule would take its built-in copy; Windows takes the first version.dll on the search path.
  HKEY overrides = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\dll_planting_probe.exe\\DllOverrides",
                              0, nullptr, 0, KEY_SET_VALUE, nullptr, &overrides, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(overrides, "version", 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
  ::RegCloseKey(overrides);
  const std::string module = " \"" + build + "\\warden_versioned_module.dll\"";

  EXPECT_EQ(RunProbe(folder, "plain" + module), 3u) << "without the hardening the plant is loaded here";
  EXPECT_EQ(RunProbe(folder, "hardened" + module), 0u) << "the system's version.dll, which reads the resource";
}

}  // namespace
