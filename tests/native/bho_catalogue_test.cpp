#include <gtest/gtest.h>

#include "plugwarden/bho_catalogue.h"
#include "plugwarden/tooltip.h"
#include "shared/file_version.h"
#include "tests/common/bho_scenario.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_version.h"
#include "tests/fakes/fake_windows_folder.h"

namespace {

class BhoCatalogueTest : public ::testing::Test {
 protected:
  void Enumerate(shared::RegView view = shared::RegView::kNative) {
    plugwarden::BhoSources sources{reg1_, reg2_, store_, files_, versions_, windowsFolder_};
    EXPECT_TRUE(plugwarden::SetBHOIntoList(sources, list_, view).ok());
  }
  fakes::FakeRegistry registry_;
  fakes::FakeFileSystem files_;
  fakes::FakeWindowsFolder windowsFolder_;
  fakes::FakeVersion versions_;
  shared::RegistryStore store_{registry_};
  shared::RegistryComponent reg1_{registry_};
  shared::RegistryComponent reg2_{registry_};
  shared::ListModel list_;
};

TEST_F(BhoCatalogueTest, OneRowPerObjectWithItsHealthAndOneReadPerModule) {
  testing_support::BhoModules modules{"C:\\Program Files\\Contoso\\helper.dll", "Contoso Helper", "2.5.0.17",
                                      "C:\\Windows\\plain.dll", shared::kVersionPlaceholder,
                                      "C:\\WINDOWS\\system32\\helper32.dll"};
  files_.AddFile(modules.withVersion, "MZ");
  files_.AddFile(modules.withoutVersion, "MZ");
  files_.AddFile("C:\\Windows\\system32\\shell32.dll", "MZ");  // the expansion exists, the text does not
  const fakes::FakeVersionResource resource{.fileVersion = {2, 5, 0, 17},
                                            .strings = {{"FileDescription", "Contoso Helper"}}};
  versions_.Add(modules.withVersion, resource);
  files_.AddFile("C:\\Windows\\SysWOW64\\helper32.dll", "MZ");
  versions_.Add("C:\\Windows\\SysWOW64\\helper32.dll", resource);
  testing_support::SeedBhoScenario(registry_, modules);

  list_.Add("kept");  // the enumeration appends, it does not clear
  Enumerate();
  const auto expected = testing_support::ExpectedBhoRows(modules);
  ASSERT_EQ(list_.Count(), static_cast<int>(expected.size()) + 1);
  EXPECT_EQ(list_.Text(1, 0), "kept");
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(list_.RowAt(static_cast<int>(i) + 2), expected[i]) << "row " << i + 2;
  EXPECT_EQ(registry_.OpenHandles(), 0) << "every key opened is closed";
  EXPECT_EQ(versions_.reads, 2) << "one read per module, however many objects stand on it";

  list_.Clear();
  Enumerate(shared::RegView::k32);
  EXPECT_EQ(shared::RowsOf(list_), testing_support::ExpectedBhoRows32(modules));
  EXPECT_NE(plugwarden::fillToolTip(list_, 3, files_, versions_, windowsFolder_).text, plugwarden::kMissingModuleText)
      << "the pop-up reads the SysWOW64 module too";
  EXPECT_EQ(plugwarden::ListedViews(store_).size(), 2u);
  registry_.UseOneView();
  EXPECT_EQ(plugwarden::ListedViews(store_), std::vector{shared::RegView::kNative}) << "nothing listed twice";
}

// No key or an empty one gives no rows; a hidden module is enabled but described as missing.
TEST_F(BhoCatalogueTest, NoKeyAnEmptyKeyAndAHiddenModule) {
  Enumerate();
  testing_support::SeedKey(registry_, shared::kHkeyLocalMachine, plugwarden::kBhoKeyPath);
  Enumerate();
  EXPECT_EQ(list_.Count(), 0);

  const std::string path = "C:\\Windows\\hidden.dll";
  files_.AddFile(path, "MZ", {.hidden = true});
  testing_support::SeedString(registry_, shared::kHkeyLocalMachine,
                              std::string(plugwarden::kBhoKeyPath) + "\\{B1}", "", "Hidden One");
  testing_support::SeedString(registry_, shared::kHkeyClassesRoot, "CLSID\\{B1}\\InprocServer32", "", path);
  Enumerate();
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.Text(1, 1), "Enabled");
  EXPECT_EQ(list_.Text(1, 2), "The file \"C:\\Windows\\hidden.dll\" doesn't exist.");
}

TEST(ModuleVersionCache, AReplacedOrHiddenModuleIsReadAnew) {
  fakes::FakeFileSystem files;
  fakes::FakeVersion versions;
  versions.Add("C:\\m.dll", {.strings = {{"FileDescription", "Helper"}}});
  shared::ModuleVersionCache cache(files, versions);
  shared::FileAttributes attributes{.size = 100, .lastWriteTime = 7};
  EXPECT_EQ(cache.Read("C:\\m.dll", attributes).description, "Helper");
  attributes.lastWriteTime = 8;
  cache.Read("C:\\m.dll", attributes);
  attributes.size = 101;
  cache.Read("C:\\m.dll", attributes);
  EXPECT_EQ(versions.reads, 3) << "a new write time or size is another file";
  attributes.hidden = true;
  EXPECT_EQ(cache.Read("C:\\m.dll", attributes).description, "The file \"C:\\m.dll\" doesn't exist.");
}

TEST(ListModel, TextsEndAtTheirNulAndSelectionFollowsRemoval) {
  shared::ListModel list;
  EXPECT_EQ(list.Add(std::string("path\0rest", 9)), 1);
  list.SetText(1, 4, std::string("C:\\x.dll\0", 9));
  EXPECT_EQ(list.Text(1, 0), "path");
  EXPECT_EQ(list.Text(1, 4), "C:\\x.dll");
  list.Add("two");
  list.Add("three");
  list.Select(3);
  list.Remove(1);
  EXPECT_EQ(list.Selected(), 2);
  EXPECT_EQ(list.Text(2, 0), "three");
  list.Remove(2);
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_EQ(list.Text(9, 0), "") << "outside the list reads empty";
  list.SetText(9, 0, "ignored");
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace
