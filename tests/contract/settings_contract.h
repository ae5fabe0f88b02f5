#pragma once
// The settings port's contract: the fake against the real per-user store.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "shared/settings_port.h"

using SettingsFactory = std::function<std::unique_ptr<shared::SettingsPort>()>;

class SettingsContract : public ::testing::TestWithParam<SettingsFactory> {
 protected:
  void SetUp() override;
  // An application name of this test alone, so runs and tests do not see each other's values.
  std::string app_;
  std::unique_ptr<shared::SettingsPort> settings_;
};
