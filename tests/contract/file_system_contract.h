#pragma once
// The file port's contract, run against the fake natively and against real files under Wine.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "shared/file_system_port.h"

struct FileSystemTarget {
  std::function<std::unique_ptr<shared::FileSystemPort>()> make;
  std::string scratch;  // an existing folder the suite may fill, "C:\..." form
  // Sets the read-only attribute the way another program would.
  std::function<void(shared::FileSystemPort&, const std::string&)> makeReadOnly;
};

class FileSystemContract : public ::testing::TestWithParam<FileSystemTarget> {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string At(const std::string& name) const { return folder_ + "\\" + name; }
  std::unique_ptr<shared::FileSystemPort> files_;
  std::string folder_;
};
