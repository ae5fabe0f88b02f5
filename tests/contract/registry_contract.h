#pragma once
// The registry port's contract, run against the fake natively and against the real registry
// under Wine. A test binary instantiates it with its own factory.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "shared/registry_port.h"

using RegistryFactory = std::function<std::unique_ptr<shared::RegistryPort>()>;

class RegistryContract : public ::testing::TestWithParam<RegistryFactory> {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::unique_ptr<shared::RegistryPort> registry_;
};
