#pragma once
// The staging engine with a policy that records what it is asked, its store on the fakes
// natively and on the real Windows folder under Wine.
#include <gtest/gtest.h>

#include "tests/common/startup_scenario.h"

class StagedListSuite : public ::testing::TestWithParam<std::function<testing_support::StartupMachine()>> {
 protected:
  void SetUp() override { machine_ = GetParam()(); }
  testing_support::StartupMachine machine_;
};
