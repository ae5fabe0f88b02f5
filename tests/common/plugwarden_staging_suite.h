#pragma once
// Plugwarden's apply, exit and start cycle on a whole machine: the fakes natively, the real
// registry and files under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "shared/clock_port.h"
#include "shared/profile_port.h"
#include "tests/common/plugwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/fakes/fake_prompt.h"

namespace testing_support {

struct PlugwardenWorld {
  std::unique_ptr<shared::FileSystemPort> files;  // first: the other fakes refer to it
  std::unique_ptr<shared::RegistryPort> registry;
  std::unique_ptr<shared::VersionPort> versions;
  std::unique_ptr<shared::SystemPort> system;
  std::unique_ptr<shared::SettingsPort> settings;
  std::unique_ptr<shared::WindowsFolderPort> windowsFolder;
  std::unique_ptr<shared::ProfilePort> profile;
  std::unique_ptr<shared::ClockPort> clock;
  std::string module;         // an existing module for the objects' servers
  std::string programFolder;  // where the profiles file lives; no language pack there
};

PlugwardenWorld FakePlugwardenWorld();

}  // namespace testing_support

class PlugwardenStagingSuite : public ::testing::TestWithParam<std::function<testing_support::PlugwardenWorld()>> {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Nothing left from an earlier test: files, setting, Run value.
  void Forget();
  // A run started the way the window starts it; what it said is in start_.
  std::unique_ptr<testing_support::PlugwardenRun> StartRun();
  void Apply(testing_support::PlugwardenRun& run);
  // The prompts shown since the last start or Apply.
  std::vector<fakes::AskedPrompt> Shown() const {
    return {prompt_.Asked().begin() + static_cast<long>(asked_), prompt_.Asked().end()};
  }
  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : Shown()) texts.push_back(shown.text);
    return texts;
  }
  bool There(shared::RegRoot root, const std::string& path) {
    return testing_support::KeyThere(*world_.registry, root, path);
  }
  // The name in the object's own key, "" when there is none.
  std::string NameIn(int object) {
    return testing_support::ReadValue(*world_.registry, shared::kHkeyLocalMachine, testing_support::ObjectKey(object), "")
        .second;
  }
  std::vector<std::string> StoredIds();

  testing_support::PlugwardenWorld world_;
  std::unique_ptr<shared::LanguagePack> language_;
  fakes::FakePrompt prompt_;
  plugwarden::StartOutcome start_;
  std::size_t asked_ = 0;
};
