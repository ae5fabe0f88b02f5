#pragma once
// The start-up enumeration on a whole machine, run against the fakes natively and against the
// real registry, win.ini and Startup folders under Wine.
#include <gtest/gtest.h>

#include <functional>

#include "tests/common/startup_scenario.h"

using StartupMachineFactory = std::function<testing_support::StartupMachine()>;

class StartupSourcesSuite : public ::testing::TestWithParam<StartupMachineFactory> {
 protected:
  void SetUp() override { machine_ = GetParam()(); testing_support::ClearStartupLocations(machine_); }
  void TearDown() override { testing_support::ClearStartupLocations(machine_); }
  testing_support::StartupMachine machine_;
};
