// Disable, Apply, a kill, a new start, Enable, Apply: every kind of entry comes back byte for
// byte from its kept copy. Natively over the fakes, under Wine over the real registry, win.ini
// and files (the suites are instantiated with the staging suites).
#include <map>

#include "plugwarden/bho_files.h"
#include "shared/registry_tree.h"
#include "tests/common/plugwarden_staging_suite.h"
#include "tests/common/registry_seed.h"
#include "tests/common/startup_staging_suite.h"
#include "tests/fakes/fake_file_system.h"

namespace {

using shared::kHkeyCurrentUser;
using shared::kHkeyLocalMachine;
using testing_support::RowsOf;

const std::string kUserRunKey = std::string(bootwarden::kRunKeyBase) + "Run";

// What stands at each place, as bytes: the value's type and data, the file, the win.ini value.
using Places = std::map<std::string, std::string>;

std::string ValueAt(shared::RegistryPort& registry, shared::RegRoot root, const std::string& path,
                    const std::string& name) {
  auto opened = registry.OpenKey(root, path, shared::KeyAccess::kQueryValue);
  if (!opened.ok()) return "<none>";
  shared::ScopedKey key(registry, opened.value());
  auto value = registry.QueryValue(key.get(), name);
  return value.ok() ? std::to_string(value.value().type) + ":" + value.value().bytes : "<none>";
}

// The files of the folder and of its subfolders, as "name" and "subfolder\\name".
std::vector<std::string> FilesIn(shared::FileSystemPort& files, const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : files.ListDirectory(folder).value_or({})) {
    if (!entry.attributes.directory) names.push_back(entry.name);
    if (!entry.attributes.directory) continue;
    for (const auto& inner : files.ListDirectory(folder + "\\" + entry.name).value_or({}))
      names.push_back(entry.name + "\\" + inner.name);
  }
  return names;
}

}  // namespace

TEST_P(StartupStagingSuite, DisableThenEnableAcrossAKillGivesBackEveryEntryExactly) {
  auto& registry = *machine_.registry;
  const std::string userFolder = testing_support::StartupFolder(machine_, shared::kCsidlStartup);
  const std::string commonFolder = testing_support::StartupFolder(machine_, shared::kCsidlCommonStartup);
  const std::string winIni = testing_support::WinIniPath(machine_);
  ASSERT_TRUE(machine_.profile->WriteString("Windows", "Load", "C:\\Long\\loader.exe " + std::string(180, 'x'), winIni).ok());
  const std::string user = kUserRunKey;
  const std::string machine = std::string(bootwarden::kRunKeyBase) + "Run";
  testing_support::SeedValue(registry, kHkeyCurrentUser, user, "Kept Sz", std::string("C:\\a.exe /x\0", 12));
  testing_support::SeedValue(registry, kHkeyCurrentUser, user, "Kept Dword", std::string("\x01\0\0\x80", 4),
                             shared::kRegDword);
  testing_support::SeedValue(registry, kHkeyCurrentUser, user, "Kept Binary", std::string("\0\xff\r\n", 4),
                             shared::kRegBinary);
  testing_support::SeedValue(registry, kHkeyCurrentUser, user, "Kept Multi", std::string("a.exe\0b.exe\0\0", 13),
                             shared::kRegMultiSz);
  testing_support::SeedString(registry, kHkeyCurrentUser, user, "  Kept Blanks ", "C:\\blanks.exe");
  testing_support::SeedString(registry, kHkeyCurrentUser, user, "..\\..\\..\\Escape", "C:\\escape.exe");
  ASSERT_TRUE(machine_.files->WriteFileAtomic(commonFolder + "\\Notes.txt", std::string("line\r\n\0\xfe", 8)).ok());
  ASSERT_TRUE(machine_.files->WriteFileAtomic(userFolder + "\\Upper.LNK", "not really a shortcut").ok());
  // {LoadFrom, TaskName as listed, root, key, value name} of the registry entries, the scenario's
  // (an expandable string, the default value, the machine's keys) among them.
  const std::vector<std::tuple<std::string, std::string, shared::RegRoot, std::string, std::string>> values = {
      {"Registry(User Run)", "Kept Sz", kHkeyCurrentUser, user, "Kept Sz"},
      {"Registry(User Run)", "Kept Dword", kHkeyCurrentUser, user, "Kept Dword"},
      {"Registry(User Run)", "Kept Binary", kHkeyCurrentUser, user, "Kept Binary"},
      {"Registry(User Run)", "Kept Multi", kHkeyCurrentUser, user, "Kept Multi"},
      {"Registry(User Run)", "Kept Blanks ", kHkeyCurrentUser, user, "  Kept Blanks "},  // listed without them
      {"Registry(User Run)", "..\\..\\..\\Escape", kHkeyCurrentUser, user, "..\\..\\..\\Escape"},  // no copy's path
      {"Registry(User Run)", "", kHkeyCurrentUser, user, ""},
      {"Registry(Machine Run)", "Expand Path", kHkeyLocalMachine, machine, "Expand Path"},
      {"Registry(Machine RunOnce)", "Finish Setup", kHkeyLocalMachine, machine + "Once", "Finish Setup"},
      {"Registry(Machine RunOnceEx)", "Title", kHkeyLocalMachine, machine + "OnceEx", "Title"},
      {"Registry(Machine RunServices)", "Service Agent", kHkeyLocalMachine,
       std::string(bootwarden::kRunKeyBase) + "RunServices", "Service Agent"},
  };
  std::vector<std::pair<std::string, std::string>> rows = {
      {"Win.ini Load", "Win.ini Load"},       {"Win.ini Run", "Win.ini Run"},
      {"StartUp (Current User)", "Tool"},     {"StartUp (Current User)", "Upper.LNK"},
      {"StartUp (All Users)", "Common Tool"}, {"StartUp (All Users)", "Notes.txt"}};
  for (const auto& [from, listed, root, key, name] : values) rows.emplace_back(from, listed);
  const auto places = [&] {
    Places now;
    for (const auto& [from, listed, root, key, name] : values) now[key + "\\" + name] = ValueAt(registry, root, key, name);
    for (const auto& path : {userFolder + "\\Tool.lnk", userFolder + "\\Upper.LNK", commonFolder + "\\Common Tool.lnk",
                             commonFolder + "\\Notes.txt"})
      now[path] = machine_.files->ReadFile(path).value_or("<none>");
    for (const char* key : {"Load", "Run"}) now[key] = machine_.profile->GetString("Windows", key, "<none>", 4096, winIni);
    return now;
  };
  const Places before = places();
  const auto listed = testing_support::SortedWithinStartupFolders(RowsOf(testing_support::EnumerateStartup(machine_)));
  const std::string copies = shared::KeptCopiesFolderOf(StorePath());
  {
    auto run = StartRun();
    for (const auto& [from, name] : rows) {
      ASSERT_NE(run->PositionOf(from, name), 0) << name;
      run->Toggle(run->PositionOf(from, name));
    }
    ASSERT_TRUE(run->staging.ApplyNow());
    // Killed here: nothing written at exit.
  }
  ASSERT_TRUE(prompt_.Asked().empty()) << prompt_.Asked()[0].text;
  for (const auto& [place, bytes] : places()) {
    EXPECT_EQ(bytes, place == "Load" || place == "Run" ? "" : "<none>") << place << " was taken out";
  }
  const auto kept = FilesIn(*machine_.files, copies);
  EXPECT_EQ(kept.size(), rows.size()) << "one copy each, all inside the folder";
  for (const auto& name : kept) {
    EXPECT_TRUE(name.size() == 24 && name[2] == '\\' && name.substr(0, 2) == name.substr(3, 2) && name.ends_with(".copy"))
        << name << " is not in the subfolder of its hash";
  }
  // Two put back meanwhile, byte for byte: the same entries as the copies, so nobody is asked.
  testing_support::SeedValue(registry, kHkeyCurrentUser, user, "Kept Dword", std::string("\x01\0\0\x80", 4),
                             shared::kRegDword);
  ASSERT_TRUE(machine_.files->WriteFileAtomic(commonFolder + "\\Notes.txt", std::string("line\r\n\0\xfe", 8)).ok());
  {
    auto run = StartRun();
    for (const auto& [from, name] : rows) run->Toggle(run->PositionOf(from, name, "Disabled"));
    ASSERT_TRUE(run->staging.ApplyNow());
    ASSERT_TRUE(run->Exit().ok());
  }
  EXPECT_TRUE(prompt_.Asked().empty()) << prompt_.Asked()[0].text;
  EXPECT_EQ(places(), before);
  EXPECT_EQ(testing_support::SortedWithinStartupFolders(RowsOf(testing_support::EnumerateStartup(machine_))), listed);
  EXPECT_TRUE(FilesIn(*machine_.files, copies).empty()) << "copies go once their entries are back";
  EXPECT_FALSE(shared::FileExists(*machine_.files, StorePath()));
}

TEST_P(PlugwardenStagingSuite, DisableThenEnableAcrossAKillGivesBackTheObjectKeyExactly) {
  using testing_support::ObjectKey;
  auto& registry = *world_.registry;
  // Object 1 grows values of every kind and a subkey tree; object 2 loses its name ("UnKnown").
  testing_support::SeedValue(registry, kHkeyLocalMachine, ObjectKey(1), "NoExplorer", std::string("\x01\0\0\0", 4),
                             shared::kRegDword);
  testing_support::SeedValue(registry, kHkeyLocalMachine, ObjectKey(1) + "\\Settings\\Deep", "Blob",
                             std::string("\0\x01\x02", 3), shared::kRegBinary);
  testing_support::SeedString(registry, kHkeyLocalMachine, ObjectKey(1) + "\\Settings", "", "tree");
  {
    auto opened = registry.OpenKey(kHkeyLocalMachine, ObjectKey(2), shared::KeyAccess::kWrite);
    ASSERT_TRUE(opened.ok());
    shared::ScopedKey key(registry, opened.value());
    ASSERT_TRUE(registry.DeleteValue(key.get(), "").ok());
  }
  const auto trees = [&] {
    std::vector<std::vector<shared::RegTreeKey>> now;
    for (int object : {1, 2})
      now.push_back(shared::ReadRegistryTree(registry, kHkeyLocalMachine, ObjectKey(object)).value_or({}));
    return now;
  };
  const auto before = trees();
  ASSERT_EQ(before[0].size(), 3u);
  {
    auto run = StartRun();
    ASSERT_EQ(run->list.Text(run->PositionOf(2), 0), plugwarden::kUnknownName);
    run->Toggle(1);
    run->Toggle(2);
    Apply(*run);
    ASSERT_EQ(Shown().size(), 1u) << Shown().back().text;  // the question only
    EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
    EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(2)));
  }
  {
    auto run = StartRun();
    run->Toggle(1);
    run->Toggle(2);
    Apply(*run);
    ASSERT_EQ(Shown().size(), 1u) << Shown().back().text;
    run->Exit(false);
  }
  EXPECT_EQ(trees(), before);
  EXPECT_TRUE(FilesIn(*world_.files, shared::KeptCopiesFolderOf(plugwarden::DisabledStorePath(*world_.windowsFolder)))
                  .empty());
}

// A copy that is cut, garbled or someone else's is no copy: the row's fields are used then.
TEST(KeptCopies, OnlyAWholeCopyOfTheSameIdentityIsFound) {
  fakes::FakeFileSystem files;
  files.AddFolder("C:\\Windows");
  shared::KeptCopies copies(files, shared::KeptCopiesFolderOf("C:\\Windows\\SaveProf.pro"));
  EXPECT_EQ(copies.Folder(), "C:\\Windows\\SaveProf.kept");
  const shared::KeptCopy mine{{"Registry(User Run)", "Tool"}, {{"value-data", std::string("a\r\nb\0", 5)}, {"x", ""}}};
  const shared::KeptCopy other{{"Registry(User Run)", "Other"}, {}};
  ASSERT_TRUE(copies.Keep(mine).ok());
  const auto found = copies.Find(mine.identity);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->parts, mine.parts);
  EXPECT_FALSE(copies.Find({"Registry(Machine Run)", "Tool"}));

  const std::string encoded = shared::EncodeKeptCopy(mine);
  for (const std::string& contents :
       std::vector<std::string>{encoded.substr(0, encoded.size() - 3), "garbage", "",
                                encoded.substr(0, 20) + "99999" + encoded.substr(25), shared::EncodeKeptCopy(other)}) {
    ASSERT_TRUE(files.WriteFileAtomic(copies.PathOf(mine.identity), contents).ok());
    EXPECT_FALSE(copies.Find(mine.identity)) << contents;
  }
  // Earlier versions kept the copies in the folder itself: found there, but one kept since wins.
  const auto flat = [&](const shared::KeptIdentity& identity) {
    return copies.Folder() + copies.PathOf(identity).substr(copies.Folder().size() + 3);
  };
  const shared::KeptCopy old{{"Registry(User Run)", "Old"}, {{"value-data", "old"}}};
  files.AddFile(flat(old.identity), shared::EncodeKeptCopy(old));
  files.AddFile(flat(mine.identity), shared::EncodeKeptCopy({mine.identity, {}}));
  ASSERT_TRUE(copies.Keep(mine).ok());
  EXPECT_EQ(copies.Find(old.identity).value_or(shared::KeptCopy{}).parts, old.parts);
  EXPECT_EQ(copies.Find(mine.identity).value_or(shared::KeptCopy{}).parts, mine.parts);
  // Only the copies (and a kill's leftovers) of identities no longer kept are cleaned up, in both
  // places, read-only or not.
  ASSERT_TRUE(copies.Keep(other).ok());
  for (const std::string& path : {copies.PathOf(other.identity), flat(other.identity)}) files.AddFile(path + ".tmp", "half");
  files.AddFile(copies.Folder() + "\\readme.txt", "mine");
  files.AddFile(copies.Folder() + "\\ab\\readme.txt", "mine");
  shared::FileAttributes readOnly;
  readOnly.readOnly = true;
  for (const std::string& path : {copies.PathOf({"StartUp (Current User)", "Gone"}), flat({"StartUp (Current User)", "Gone"})})
    files.AddFile(path, "old", readOnly);
  copies.KeepOnly({other.identity, old.identity});
  EXPECT_TRUE(copies.Find(other.identity));
  EXPECT_TRUE(copies.Find(old.identity));
  EXPECT_FALSE(copies.Find(mine.identity));
  EXPECT_EQ(FilesIn(files, copies.Folder()).size(), 4u);
}
