#pragma once
// The language lookup and the error log over a real or fake INI reader and file system: the
// same pack files must give the same texts and the same log bytes on both.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "shared/language_pack.h"
#include "tests/contract/profile_contract.h"
#include "tests/fakes/fake_clock.h"

// A program folder is made inside the scratch folder.
using LanguagePackTarget = ProfileTarget;

class LanguagePackContract : public ::testing::TestWithParam<LanguagePackTarget> {
 protected:
  void SetUp() override;
  void TearDown() override;
  void WritePack(const std::string& fileName, const std::string& contents) {
    ASSERT_TRUE(files_->WriteFileAtomic(programFolder_ + "\\Lang\\" + fileName, contents).ok());
  }
  std::string Log() { return files_->ReadFile(programFolder_ + "\\errorlog.txt").value_or("<no log>"); }

  std::unique_ptr<shared::FileSystemPort> files_;
  std::unique_ptr<shared::ProfilePort> profile_;
  fakes::FakeClock clock_;
  std::string programFolder_;
  std::unique_ptr<shared::LanguagePack> pack_;
};
