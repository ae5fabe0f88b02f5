#pragma once
// Staging, apply and the disabled-entry cycle on a whole machine, run against the fakes natively
// and against the real registry, win.ini and Startup folders under Wine.
#include <gtest/gtest.h>

#include <memory>

#include "tests/common/bootwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/common/startup_sources_suite.h"
#include "tests/fakes/fake_prompt.h"

// The staging engine with a policy that records what it is asked, its store on the same machine.
class StagedListSuite : public ::testing::TestWithParam<StartupMachineFactory> {
 protected:
  void SetUp() override { machine_ = GetParam()(); }
  testing_support::StartupMachine machine_;
};

class StartupStagingSuite : public ::testing::TestWithParam<StartupMachineFactory> {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A run started the way the window starts it.
  std::unique_ptr<testing_support::BootwardenRun> StartRun() {
    auto run = std::make_unique<testing_support::BootwardenRun>(machine_, prompt_);
    EXPECT_TRUE(run->Start().ok());
    return run;
  }
  std::string StorePath() { return bootwarden::DisabledStorePath(*machine_.windowsFolder); }
  std::vector<bootwarden::StartupEntry> Stored() {
    auto entries = bootwarden::ReadStartupEntryFile(*machine_.files, StorePath());
    EXPECT_TRUE(entries.ok());
    return entries.value_or({});
  }
  std::pair<std::uint32_t, std::string> Value(shared::RegRoot root, const std::string& key, const std::string& name,
                                              shared::RegView view = shared::RegView::kNative) {
    return testing_support::ReadValue(*machine_.registry, root, key, name, view);
  }
  std::string WinIni(const std::string& key) {
    return machine_.profile->GetString("Windows", key, "<none>", 1024, testing_support::WinIniPath(machine_));
  }

  testing_support::StartupMachine machine_;
  fakes::FakePrompt prompt_;
};
