#include "tests/contract/registry_contract.h"

#include <algorithm>
#include <map>
#include <string>

#include "shared/registry_store.h"
#include "shared/registry_tree.h"
#include "tests/common/registry_seed.h"

using shared::kHkeyClassesRoot;
using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;
using shared::RegView;
using testing_support::DeleteTree;
using testing_support::ReadValue;
using testing_support::SeedKey;
using testing_support::SeedString;
using testing_support::SeedValue;
using namespace std::string_literals;

namespace {
const std::string kScratch = "Software\\WardenContract";
const std::string kClassScratch = "CLSID\\{0BADF00D-0000-4000-8000-00000000C0DE}";

void DeleteScratch(shared::RegistryPort& registry) {
  DeleteTree(registry, kHkeyCurrentUser, kScratch);
  for (RegView view : {RegView::kNative, RegView::k32}) {
    DeleteTree(registry, kHkeyLocalMachine, kScratch, view);
    DeleteTree(registry, kHkeyClassesRoot, kClassScratch, view);
  }
}
}  // namespace

void RegistryContract::SetUp() { registry_ = GetParam()(); DeleteScratch(*registry_); }

void RegistryContract::TearDown() { DeleteScratch(*registry_); }

TEST_P(RegistryContract, ReadValueTextKeepsTheNulAndReadsNothingAsEmpty) {
  shared::RegistryStore store(*registry_);
  EXPECT_EQ(store.OpenKeyForQuery(kHkeyLocalMachine, kScratch + "\\Missing").get(), 0u);
  EXPECT_EQ(store.ReadValueText(shared::ScopedKey(), ""), "");

  SeedString(*registry_, kHkeyLocalMachine, kScratch + "\\Three", "", "Abc");
  SeedString(*registry_, kHkeyLocalMachine, kScratch + "\\Empty", "", "");
  SeedKey(*registry_, kHkeyLocalMachine, kScratch + "\\Unset");
  SeedString(*registry_, kHkeyLocalMachine, kScratch + "\\Three", "Padded", "  lead and trail  ");
  SeedString(*registry_, kHkeyLocalMachine, kScratch + "\\Three", "Long", std::string(3000, 'x'));
  SeedValue(*registry_, kHkeyLocalMachine, kScratch + "\\Three", "Dword", "\x41\x42\x43\x44", shared::kRegDword);
  SeedValue(*registry_, kHkeyLocalMachine, kScratch + "\\Three", "NoNul", "text", shared::kRegSz);

  const auto three = store.OpenKeyForQuery(kHkeyLocalMachine, kScratch + "\\Three");
  ASSERT_NE(three.get(), 0u);
  EXPECT_EQ(store.ReadValueText(three, ""), "Abc\0"s);
  EXPECT_EQ(store.ReadValueText(three, "padded"), "lead and trail  \0"s) << "trailing spaces sit before the NUL";
  EXPECT_EQ(store.ReadValueText(three, "Long"), std::string(3000, 'x') + '\0') << "long values read whole";
  EXPECT_EQ(store.ReadValueText(three, "Absent"), "");
  EXPECT_EQ(store.ReadValueText(three, "Dword"), "ABCD") << "any type, as bytes";
  EXPECT_EQ(store.ReadValueText(three, "NoNul").substr(0, 4), "text");

  EXPECT_EQ(store.ReadValueText(store.OpenKeyForQuery(kHkeyLocalMachine, kScratch + "\\Empty"), ""), "\0"s);
  const auto unset = store.OpenKeyForQuery(kHkeyLocalMachine, kScratch + "\\Unset");
  ASSERT_NE(unset.get(), 0u);
  EXPECT_EQ(store.ReadValueText(unset, ""), "");
}

TEST_P(RegistryContract, QueryKeyCountAndValueListing) {
  shared::RegistryStore store(*registry_);
  const std::string run = kScratch + "\\Run";
  for (const char* name : {"One", "Two", "Three", "Four", "Five"}) SeedString(*registry_, kHkeyCurrentUser, run, name, "x.exe");
  SeedKey(*registry_, kHkeyCurrentUser, run + "\\Sub");

  const auto key = store.OpenKeyForQuery(kHkeyCurrentUser, run);
  ASSERT_NE(key.get(), 0u);
  EXPECT_EQ(store.QueryKeyCount(key, 0), 5);
  EXPECT_EQ(store.QueryKeyCount(key, 1), 1);
  EXPECT_EQ(store.QueryKeyCount(key, 2), 0);
  EXPECT_EQ(store.QueryKeyCount(shared::ScopedKey(), 0), 0);

  std::vector<std::string> names;
  for (int i = 0; i < 5; ++i) names.push_back(store.EnumValueName(key, i));
  // Wine lists values by name (Windows keeps them in the order written); the fake follows Wine so
  // both give the same rows. Each name keeps its NUL.
  EXPECT_EQ(names, (std::vector<std::string>{"Five\0"s, "Four\0"s, "One\0"s, "Three\0"s, "Two\0"s}));
  EXPECT_EQ(store.EnumValueName(key, 5), "");
  EXPECT_EQ(store.EnumValueName(shared::ScopedKey(), 0), "");
  // A name read with its NUL still names the value.
  EXPECT_EQ(store.ReadValueText(key, store.EnumValueName(key, 0)), "x.exe\0"s);

  // Listed with its data in one call: the same name, type and bytes as reading it by name, past
  // any first guess at the buffers' sizes.
  const std::string listed = kScratch + "\\Listed";
  const std::string longName(300, 'n');
  SeedString(*registry_, kHkeyCurrentUser, listed, "", "default.exe");
  SeedString(*registry_, kHkeyCurrentUser, listed, "Long", std::string(5000, 'l'));
  SeedString(*registry_, kHkeyCurrentUser, listed, longName, "named.exe");
  SeedString(*registry_, kHkeyCurrentUser, listed, "  Spaced", "spaced.exe");
  SeedValue(*registry_, kHkeyCurrentUser, listed, "Count", "\x2A\0\0\0"s, shared::kRegDword);
  SeedValue(*registry_, kHkeyCurrentUser, listed, "NoNul", "text", shared::kRegSz);
  const auto values = store.OpenKeyForQuery(kHkeyCurrentUser, listed);
  std::map<std::string, shared::ListedValue> byName;
  for (std::uint32_t i = 0; i < 6; ++i) {
    auto entry = registry_->EnumValue(values.get(), i);
    ASSERT_TRUE(entry.ok()) << i;
    const std::string& name = entry.value().name;
    EXPECT_EQ(name, registry_->EnumValueName(values.get(), i).value_or("?"));
    const auto read = registry_->QueryValue(values.get(), name).value_or({});
    EXPECT_EQ(std::tie(read.type, read.bytes), std::tie(entry.value().data.type, entry.value().data.bytes)) << name;
    byName[name] = store.EnumValue(values, static_cast<std::int32_t>(i));
    EXPECT_EQ(byName[name].name, store.EnumValueName(values, static_cast<std::int32_t>(i)));
  }
  EXPECT_EQ(registry_->EnumValue(values.get(), 6).status().code(), shared::kErrorNoMoreItems);
  EXPECT_EQ(store.EnumValue(values, 6).name, "");
  EXPECT_EQ(store.EnumValue(shared::ScopedKey(), 0).name, "");
  EXPECT_EQ(byName[""].text, "default.exe");
  EXPECT_EQ(byName["Long"].text, std::string(5000, 'l'));
  EXPECT_EQ(byName[longName].text, "named.exe");
  EXPECT_EQ(byName["Count"].text, "42") << "as the component reads it";
  EXPECT_EQ(byName["  Spaced"].name, "Spaced\0"s);
  EXPECT_EQ(byName["  Spaced"].text, std::nullopt) << "the trimmed name may name another value";
}

TEST_P(RegistryContract, ComponentListsDirectSubkeysWithoutCaseAndWritesReadsAndDeletesStrings) {
  shared::RegistryComponent reg(*registry_);
  reg.RootKey = kHkeyLocalMachine;
  reg.KeyPath = kScratch + "\\Nothing";
  EXPECT_TRUE(reg.EnumKeys().value_or({"x"}).empty()) << "a missing key lists nothing, without failing";

  for (const char* name : {"beta", "Alpha", "GAMMA", "alpha2"}) SeedKey(*registry_, kHkeyLocalMachine, kScratch + "\\List\\" + name);
  SeedKey(*registry_, kHkeyLocalMachine, kScratch + "\\List\\beta\\Deep");
  SeedKey(*registry_, kHkeyLocalMachine, kScratch + "\\Leaf");
  reg.KeyPath = kScratch + "\\list";
  EXPECT_EQ(reg.EnumKeys().value_or({}), (std::vector<std::string>{"Alpha", "alpha2", "beta", "GAMMA"}));
  reg.KeyPath = kScratch + "\\Leaf";
  EXPECT_TRUE(reg.EnumKeys().value_or({"x"}).empty());

  reg.RootKey = kHkeyCurrentUser;
  reg.KeyPath = kScratch + "\\Values";
  EXPECT_FALSE(reg.KeyExists());
  reg.ValueName = "Task";
  reg.ValueData = "c:\\tool.exe /start";
  EXPECT_FALSE(reg.SetValue().ok()) << "no key to write into";

  ASSERT_TRUE(reg.CreateKey().ok());
  EXPECT_TRUE(reg.KeyExists());
  ASSERT_TRUE(reg.SetValue().ok());
  EXPECT_EQ(reg.GetValue().value_or("<failed>"), "c:\\tool.exe /start");
  shared::RegistryStore store(*registry_);
  const auto key = store.OpenKeyForQuery(kHkeyCurrentUser, kScratch + "\\Values");
  EXPECT_EQ(store.ReadValueText(key, "Task"), "c:\\tool.exe /start\0"s) << "written as a string with its NUL";

  ASSERT_TRUE(reg.DeleteValue().ok());
  EXPECT_FALSE(reg.GetValue().ok());
  EXPECT_EQ(reg.DeleteValue().code(), shared::kErrorFileNotFound) << "deleting what is not there says so";
  EXPECT_TRUE(reg.KeyExists()) << "the key stays";

  reg.ValueName = "Count";
  SeedValue(*registry_, kHkeyCurrentUser, kScratch + "\\Values", "Count", "\x2A\0\0\0"s, shared::kRegDword);
  EXPECT_EQ(reg.GetValue().value_or(""), "42");
}

TEST_P(RegistryContract, ClassesRootIsTheMachinesClassesKeyAndAKeyWithSubkeysGoesOnlySubkeysFirst) {
  SeedString(*registry_, kHkeyLocalMachine, "Software\\Classes\\" + kClassScratch, "", "Seen");
  shared::RegistryStore store(*registry_);
  EXPECT_EQ(store.ReadValueText(store.OpenKeyForQuery(kHkeyClassesRoot, kClassScratch), ""), "Seen\0"s);

  shared::RegistryComponent reg(*registry_);
  SeedString(*registry_, kHkeyClassesRoot, kClassScratch + "\\InprocServer32", "", "c:\\x.dll");
  SeedString(*registry_, kHkeyClassesRoot, kClassScratch + "\\ProgID", "", "X.Y");
  reg.RootKey = kHkeyClassesRoot;
  reg.KeyPath = kClassScratch;
  EXPECT_FALSE(reg.DeleteKey().ok()) << "a key with subkeys is not deleted whole";
  EXPECT_TRUE(reg.KeyExists());

  for (const std::string& sub : reg.EnumKeys().value_or({})) {
    reg.KeyPath = kClassScratch + "\\" + sub;
    EXPECT_TRUE(reg.DeleteKey().ok()) << sub;
  }
  reg.KeyPath = kClassScratch;
  EXPECT_TRUE(reg.DeleteKey().ok());
  EXPECT_FALSE(reg.KeyExists());
  EXPECT_EQ(reg.DeleteKey().code(), shared::kErrorFileNotFound);
}

TEST_P(RegistryContract, The32BitViewHasItsOwnMachineSoftwareAndClassesAndSharesTheUsersSoftware) {
  ASSERT_TRUE(registry_->HasTwoViews()) << "a 64-bit build on a 64-bit machine";
  const std::string wowScratch = "Software\\Wow6432Node\\WardenContract";
  SeedString(*registry_, kHkeyLocalMachine, kScratch, "Lm", "32", RegView::k32);
  SeedString(*registry_, kHkeyLocalMachine, kScratch, "Native", "64");
  EXPECT_EQ(ReadValue(*registry_, kHkeyLocalMachine, kScratch, "Lm", RegView::k32).second, "32");
  EXPECT_EQ(ReadValue(*registry_, kHkeyLocalMachine, kScratch, "Lm").first, 0u) << "not in the native view";
  EXPECT_EQ(ReadValue(*registry_, kHkeyLocalMachine, wowScratch, "Lm").second, "32") << "where it lands";
  EXPECT_EQ(ReadValue(*registry_, kHkeyLocalMachine, kScratch, "Native", RegView::k32).first, 0u);

  shared::RegistryComponent reg(*registry_);
  reg.RootKey = kHkeyLocalMachine;
  reg.KeyPath = "Software";
  EXPECT_NE(std::ranges::count(reg.EnumKeys().value_or({}), "Wow6432Node"), 0);
  reg.View = RegView::k32;
  EXPECT_EQ(std::ranges::count(reg.EnumKeys().value_or({}), "Wow6432Node"), 0) << "the view does not list itself";

  const std::string server = kClassScratch + "\\InprocServer32";
  SeedString(*registry_, kHkeyClassesRoot, server, "", "c:\\x86.dll", RegView::k32);
  EXPECT_EQ(ReadValue(*registry_, kHkeyClassesRoot, server, "", RegView::k32).second, "c:\\x86.dll");
  EXPECT_EQ(ReadValue(*registry_, kHkeyClassesRoot, server, "").first, 0u);
  EXPECT_EQ(ReadValue(*registry_, kHkeyClassesRoot, "Wow6432Node\\" + server, "").second, "c:\\x86.dll");
  EXPECT_EQ(ReadValue(*registry_, kHkeyLocalMachine, "Software\\Classes\\Wow6432Node\\" + server, "").second,
            "c:\\x86.dll");

  SeedString(*registry_, kHkeyCurrentUser, kScratch, "Cu", "both", RegView::k32);
  EXPECT_EQ(ReadValue(*registry_, kHkeyCurrentUser, kScratch, "Cu").second, "both") << "one key in both views";

  // A key is created, deleted and deleted as a tree in its own view only.
  SeedKey(*registry_, kHkeyClassesRoot, kClassScratch);
  reg.RootKey = kHkeyClassesRoot;
  reg.KeyPath = server;
  EXPECT_TRUE(reg.DeleteKey().ok());
  EXPECT_FALSE(reg.KeyExists());
  EXPECT_EQ(registry_->DeleteKey(kHkeyClassesRoot, server, RegView::k32).code(), shared::kErrorFileNotFound);
  SeedKey(*registry_, kHkeyLocalMachine, kScratch + "\\Sub\\Deep", RegView::k32);
  SeedKey(*registry_, kHkeyLocalMachine, kScratch + "\\Sub");
  EXPECT_TRUE(shared::DeleteRegistryTree(*registry_, kHkeyLocalMachine, kScratch + "\\Sub", RegView::k32).ok());
  reg.RootKey = kHkeyLocalMachine;
  reg.KeyPath = kScratch + "\\Sub";
  EXPECT_FALSE(reg.KeyExists());
  reg.View = RegView::kNative;
  EXPECT_TRUE(reg.KeyExists()) << "the native key stays";
  EXPECT_TRUE(registry_->DeleteKey(kHkeyClassesRoot, kClassScratch, RegView::k32).ok());
  EXPECT_NE(shared::RegistryStore(*registry_).OpenKeyForQuery(kHkeyClassesRoot, kClassScratch).get(), 0u);
}
