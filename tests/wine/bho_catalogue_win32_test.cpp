// The catalogue on the real registry of the test prefix, with real modules.
#include <gtest/gtest.h>
#include <windows.h>

#include "plugwarden/bho_catalogue.h"
#include "shared/file_version.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_version.h"
#include "shared/win32/win32_windows_folder.h"
#include "tests/common/bho_scenario.h"
#include "tests/wine/test_paths.h"

namespace {

TEST(BhoCatalogueWin32, RowsForEveryKindOfObject) {
  shared::win32::Win32Registry registry;
  shared::win32::Win32FileSystem files;
  shared::win32::Win32Version versions;
  const std::string folder = testing_support::ExecutableFolder();
  shared::win32::Win32WindowsFolder windowsFolder;
  const std::string windows = shared::GetWinDir(windowsFolder);
  const testing_support::BhoModules modules{folder + "\\warden_versioned_module.dll", "Warden Test Module", "1.2.3.4",
                                            folder + "\\warden_plain_module.dll", shared::kVersionPlaceholder,
                                            windows + "\\system32\\warden_wow64_module.dll"};
  // A prefix without 32-bit Wine has no SysWOW64 folder.
  const bool madeSysWow64 = ::CreateDirectoryA((windows + "\\SysWOW64").c_str(), nullptr);
  const std::string inSysWow64 = windows + "\\SysWOW64\\warden_wow64_module.dll";
  ASSERT_TRUE(::CopyFileA(modules.withVersion.c_str(), inSysWow64.c_str(), FALSE)) << ::GetLastError();
  testing_support::SeedBhoScenario(registry, modules);

  shared::RegistryStore store(registry);
  shared::RegistryComponent reg1(registry), reg2(registry);
  plugwarden::BhoSources sources{reg1, reg2, store, files, versions, windowsFolder};
  shared::ListModel list;
  EXPECT_TRUE(plugwarden::SetBHOIntoList(sources, list).ok());

  const auto expected = testing_support::ExpectedBhoRows(modules);
  ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(list.RowAt(static_cast<int>(i) + 1), expected[i]) << "row " << i + 1;
  list.Clear();
  EXPECT_TRUE(plugwarden::SetBHOIntoList(sources, list, shared::RegView::k32).ok());
  EXPECT_EQ(shared::RowsOf(list), testing_support::ExpectedBhoRows32(modules));
  testing_support::ClearBhoScenario(registry);
  ::DeleteFileA(inSysWow64.c_str());
  if (madeSysWow64) ::RemoveDirectoryA((windows + "\\SysWOW64").c_str());
}

}  // namespace
