// Apply, the store, the start-up profile and named profiles on the real registry and files.
#include <windows.h>

#include <gtest/gtest.h>

#include "plugwarden/bho_profiles.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/win32_system.h"
#include "shared/win32/win32_version.h"
#include "shared/win32/win32_windows_folder.h"
#include "tests/common/plugwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/wine/test_paths.h"

namespace {

using shared::kHkeyClassesRoot;
using shared::kHkeyLocalMachine;
using testing_support::ClassKey;
using testing_support::ObjectId;
using testing_support::ObjectKey;
using testing_support::ObjectName;

class PlugwardenWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::SeedObjects(registry_, testing_support::ExecutableFolder() + "\\warden_plain_module.dll");
    Forget();
  }
  void TearDown() override {
    testing_support::ClearObjects(registry_);
    Forget();
  }
  // Nothing left from an earlier test: files, setting, Run value.
  void Forget() {
    ::DeleteFileA(plugwarden::DisabledStorePath(windowsFolder_).c_str());
    ::DeleteFileA(plugwarden::StartProfilePath(windowsFolder_).c_str());
    settings_.SaveSetting("Plugwarden", "Start", "Check1", "0").IgnoreError();
    shared::RegistryComponent run(registry_);
    run.RootKey = shared::kHkeyCurrentUser;
    run.KeyPath = plugwarden::kRunKeyPath;
    run.ValueName = plugwarden::kRunValueName;
    run.DeleteValue().IgnoreError();
  }
  std::unique_ptr<testing_support::PlugwardenRun> StartRun() {
    auto run = std::make_unique<testing_support::PlugwardenRun>(testing_support::PlugwardenPorts{
        registry_, files_, versions_, system_, prompt_, language_, settings_, windowsFolder_});
    EXPECT_EQ(run->Start().message, "");
    return run;
  }
  void Apply(testing_support::PlugwardenRun& run) {
    prompt_.Script({shared::kAnswerYes});
    run.staging.ApplyClicked();
  }
  bool There(shared::RegRoot root, const std::string& path) {
    return testing_support::KeyThere(registry_, root, path);
  }
  std::vector<std::string> StoredIds() {
    std::vector<std::string> ids;
    for (const auto& row : shared::ReadEntryFile(files_, plugwarden::DisabledStorePath(windowsFolder_)).value_or({}))
      ids.push_back(row[5]);
    return ids;
  }

  shared::win32::Win32Registry registry_;
  shared::win32::Win32FileSystem files_;
  shared::win32::Win32Version versions_;
  shared::win32::Win32System system_;
  shared::win32::Win32Settings settings_;
  shared::win32::Win32WindowsFolder windowsFolder_;
  shared::win32::Win32Profile profile_;
  shared::win32::Win32Clock clock_;
  fakes::FakePrompt prompt_;
  shared::LanguagePack language_{profile_, files_, clock_, testing_support::ScratchFolder("plug-lang")};
};

TEST_F(PlugwardenWin32Test, ApplyExitAndRestartKeepTheDisabledObject) {
  auto run = StartRun();
  ASSERT_EQ(run->list.Count(), 4);
  EXPECT_EQ(run->list.Text(1, 1), "Enabled");
  run->Toggle(1);
  run->MarkRemove(2);
  Apply(*run);
  ASSERT_EQ(prompt_.Asked().size(), 1u) << prompt_.Asked().back().text;
  EXPECT_EQ(prompt_.Asked()[0].text, plugwarden::kApplyQuestionDefault);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_TRUE(There(kHkeyClassesRoot, ClassKey(1)));
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(2)));
  EXPECT_FALSE(There(kHkeyClassesRoot, ClassKey(2)));
  EXPECT_EQ(run->list.Count(), 3);
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)}) << "written by the apply itself";
  run->Exit(false);
  EXPECT_EQ(settings_.GetSetting("Plugwarden", "Start", "Check1"), "0");

  auto next = StartRun();
  ASSERT_EQ(next->list.Count(), 3);
  EXPECT_EQ(next->list.Text(3, 5), ObjectId(1));
  EXPECT_EQ(next->list.Text(3, 1), "Disabled");
  next->Toggle(1);
  Apply(*next);
  EXPECT_EQ(testing_support::DefaultValue(registry_, kHkeyLocalMachine, ObjectKey(1)), ObjectName(1));
  next->Exit(false);
  EXPECT_NE(::GetFileAttributesA(plugwarden::DisabledStorePath(windowsFolder_).c_str()), INVALID_FILE_ATTRIBUTES)
      << "the store keeps the disabled object";
  EXPECT_EQ(prompt_.Asked().size(), 2u);
}

TEST_F(PlugwardenWin32Test, StartWithWindowsWritesTheRunValueAndTheProfile) {
  auto run = StartRun();
  run->Toggle(1);
  Apply(*run);
  run->MarkRemove(2);
  const std::string program = testing_support::ExecutableFolder() + "\\plugwarden.exe";
  run->Exit(true, program);
  const std::string profile = files_.ReadFile(plugwarden::StartProfilePath(windowsFolder_)).value_or("");
  EXPECT_EQ(std::count(profile.begin(), profile.end(), '\n'), 18);
  EXPECT_NE(::GetFileAttributesA(plugwarden::DisabledStorePath(windowsFolder_).c_str()), INVALID_FILE_ATTRIBUTES)
      << "the store keeps the disabled object";
  shared::RegistryComponent value(registry_);
  value.RootKey = shared::kHkeyCurrentUser;
  value.KeyPath = plugwarden::kRunKeyPath;
  value.ValueName = plugwarden::kRunValueName;
  EXPECT_EQ(value.GetValue().value_or(""), "\"" + program + "\"");

  // The profile is shown and applied at the next start; the object re-created meanwhile goes.
  testing_support::SeedString(registry_, kHkeyLocalMachine, ObjectKey(1), "", ObjectName(1));
  auto next = StartRun();
  ASSERT_EQ(next->list.Count(), 3);
  EXPECT_EQ(next->list.Text(1, 1), "Disabled");
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(1)));
  EXPECT_TRUE(There(kHkeyLocalMachine, ObjectKey(2)));
  next->Exit(false);
  EXPECT_FALSE(value.GetValue().ok());
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(1)});
}

TEST_F(PlugwardenWin32Test, ProfilesSaveAndLoadBesideTheProgram) {
  const std::string folder = testing_support::ScratchFolder("plug-profiles");
  plugwarden::BhoProfiles profiles(files_, prompt_, language_, folder);
  ::DeleteFileA(profiles.FilePath().c_str());
  auto run = StartRun();
  run->Toggle(3);
  using Outcome = plugwarden::BhoProfiles::SaveOutcome;
  EXPECT_EQ(profiles.Save("A", run->list), Outcome::kSaved);
  EXPECT_EQ(profiles.Save("B", run->list), Outcome::kSaved);
  EXPECT_EQ(profiles.Save("A", run->list), Outcome::kNameExists);
  EXPECT_EQ(profiles.ProfileNames(), (std::vector<std::string>{"A", "B"}));
  run->staging.ResetAllClicked();
  ASSERT_TRUE(profiles.Load(profiles.ProfileNames(), "A", run->staging));
  ASSERT_EQ(run->list.Count(), 4);
  EXPECT_EQ(run->list.Text(3, 1), "Disabled");
  Apply(*run);
  EXPECT_FALSE(There(kHkeyLocalMachine, ObjectKey(3)));
  EXPECT_EQ(StoredIds(), std::vector<std::string>{ObjectId(3)});
  ::DeleteFileA(profiles.FilePath().c_str());
}

}  // namespace
