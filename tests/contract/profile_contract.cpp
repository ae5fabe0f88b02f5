#include "tests/contract/profile_contract.h"

#include <algorithm>

void ProfileContract::SetUp() {
  auto ports = GetParam().make();
  files_ = std::move(ports.first);
  profile_ = std::move(ports.second);
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '_');
  path_ = GetParam().scratch + "\\" + name + ".ini";
  files_->RemoveFile(path_).IgnoreError();
}

// Empty and quoted values and a missing file: LanguagePackContract reads them through this port.
TEST_P(ProfileContract, ReadsWithoutCaseOrSurroundingSpacesWritesReplaceAddAndDelete) {
  const std::string ini = "[Other]\r\n8101=wrong section\r\n[Vexlin Language Pack]\r\n8101=  &Apply  \r\n"
                          "  8103 = spaced key\r\n8105=" + std::string(600, 'x') + "\r\n8101=second occurrence\r\n";
  ASSERT_TRUE(files_->WriteFileAtomic(path_, ini).ok());
  EXPECT_EQ(Get("vexlin language pack", "8101"), "&Apply");
  EXPECT_EQ(Get("Vexlin Language Pack", "8103"), "spaced key");
  EXPECT_EQ(Get("Vexlin Language Pack", "8105"), std::string(499, 'x')) << "cut to the buffer";
  EXPECT_EQ(Get("Vexlin Language Pack", "8105", "", 128), std::string(127, 'x'));
  EXPECT_EQ(Get("Vexlin Language Pack", "9999", "Are you sure?  "), "Are you sure?") << "default without trailing spaces";
  EXPECT_EQ(Get("Missing", "8101", "d"), "d");

  // Writes replace, add and delete keys.
  ASSERT_TRUE(profile_->WriteString("Windows", "Load", std::string("tool.exe"), path_).ok());
  ASSERT_TRUE(profile_->WriteString("Windows", "Run", std::string("a.exe b.exe"), path_).ok());
  ASSERT_TRUE(profile_->WriteString("Other", "Keep", std::string("kept"), path_).ok());
  EXPECT_EQ(Get("Windows", "Load"), "tool.exe");
  EXPECT_EQ(Get("Windows", "Run"), "a.exe b.exe");

  ASSERT_TRUE(profile_->WriteString("WINDOWS", "load", std::string(""), path_).ok());
  EXPECT_EQ(Get("Windows", "Load", "absent"), "") << "cleared, the key stays";
  ASSERT_TRUE(profile_->WriteString("Windows", "Run", std::nullopt, path_).ok());
  EXPECT_EQ(Get("Windows", "Run", "absent"), "absent");
  EXPECT_EQ(Get("Other", "Keep"), "kept");

  EXPECT_FALSE(profile_->WriteString("Windows", "Load", std::string("x"), path_ + "\\no\\such\\folder.ini").ok());
}
