#pragma once
// Plugwarden's apply, exit and start cycle on a whole machine: the fakes natively, the real
// registry and files under Wine.
#include <gtest/gtest.h>

#include <memory>

#include "tests/common/plugwarden_rig.h"
#include "tests/common/registry_seed.h"
#include "tests/common/startup_sources_suite.h"
#include "tests/fakes/fake_prompt.h"

// The program folder (the profiles file, an English pack) is the machine's target folder.
class PlugwardenStagingSuite : public ::testing::TestWithParam<StartupMachineFactory> {
 protected:
  void SetUp() override;
  void TearDown() override { testing_support::ClearObjects(*world_.registry); Forget(); }
  // Nothing left from an earlier test: files, setting, Run value.
  void Forget();
  // A run started the way the window starts it; what it said is in start_.
  std::unique_ptr<testing_support::PlugwardenRun> StartRun();
  void Apply(testing_support::PlugwardenRun& run) {
    asked_ = prompt_.Asked().size();
    prompt_.Script({shared::kAnswerYes});
    run.staging.ApplyClicked();
  }
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
  // Per object 1 to 4 in the view: its number, "k" for its key, "c" for its class key, "s" for the
  // class's server key; all there is "1kcs 2kcs 3kcs 4kcs".
  std::string Present(shared::RegView view = shared::RegView::kNative);

  testing_support::StartupMachine world_;
  std::unique_ptr<shared::LanguagePack> language_;
  fakes::FakePrompt prompt_;
  plugwarden::StartOutcome start_;
  std::size_t asked_ = 0;
};
