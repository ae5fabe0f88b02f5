// The catalogue on the real registry of the test prefix, with real modules.
#include <gtest/gtest.h>

#include "plugwarden/bho_catalogue.h"
#include "shared/file_version.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_version.h"
#include "tests/common/bho_scenario.h"
#include "tests/wine/test_paths.h"

namespace {

TEST(BhoCatalogueWin32, RowsForEveryKindOfObject) {
  shared::win32::Win32Registry registry;
  shared::win32::Win32FileSystem files;
  shared::win32::Win32Version versions;
  const std::string folder = testing_support::ExecutableFolder();
  const testing_support::BhoModules modules{folder + "\\warden_versioned_module.dll", "Warden Test Module", "1.2.3.4",
                                            folder + "\\warden_plain_module.dll", shared::kVersionPlaceholder};
  testing_support::SeedBhoScenario(registry, modules);

  shared::RegistryStore store(registry);
  shared::RegistryComponent reg1(registry), reg2(registry);
  plugwarden::BhoSources sources{reg1, reg2, store, files, versions};
  shared::ListModel list;
  EXPECT_TRUE(plugwarden::SetBHOIntoList(sources, list).ok());

  const auto expected = testing_support::ExpectedBhoRows(modules);
  ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(list.RowAt(static_cast<int>(i) + 1), expected[i]) << "row " << i + 1;
  testing_support::ClearBhoScenario(registry);
}

}  // namespace
