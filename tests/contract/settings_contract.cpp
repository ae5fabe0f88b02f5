#include "tests/contract/settings_contract.h"

#include <algorithm>

void SettingsContract::SetUp() {
  settings_ = GetParam()();
  app_ = std::string("WardenContract ") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::ranges::replace(app_, '/', '_');
}

TEST_P(SettingsContract, MissingReadsEmptySavedValuesComeBackWithTheirBytesEmptyNamesNameNone) {
  EXPECT_EQ(settings_->GetSetting(app_, "Language", "Name"), "") << "nothing stored yet";
  ASSERT_TRUE(settings_->SaveSetting(app_, "Language", "Name", "Arabic.ini").ok());
  EXPECT_EQ(settings_->GetSetting(app_, "Language", "Name"), "Arabic.ini");
  EXPECT_EQ(settings_->GetSetting(app_, "LANGUAGE", "name"), "Arabic.ini") << "names compare without case";
  EXPECT_EQ(settings_->GetSetting(app_, "Language", "Other"), "");
  EXPECT_EQ(settings_->GetSetting(app_, "Start", "Name"), "") << "sections are separate";
  EXPECT_EQ(settings_->GetSetting(app_ + " Other", "Language", "Name"), "") << "applications are separate";

  ASSERT_TRUE(settings_->SaveSetting(app_, "language", "NAME", "English.ini").ok());
  EXPECT_EQ(settings_->GetSetting(app_, "Language", "Name"), "English.ini") << "one value, replaced";
  ASSERT_TRUE(settings_->SaveSetting(app_, "Language", "Name", "").ok());
  EXPECT_EQ(settings_->GetSetting(app_, "Language", "Name"), "");

  // Empty names name no setting.
  ASSERT_TRUE(settings_->SaveSetting(app_, "Language", "Name", "kept").ok());
  EXPECT_FALSE(settings_->SaveSetting("", "Language", "Name", "x").ok());
  EXPECT_FALSE(settings_->SaveSetting(app_, "", "Name", "x").ok());
  EXPECT_FALSE(settings_->SaveSetting(app_, "Language", "", "x").ok());
  EXPECT_EQ(settings_->GetSetting(app_, "Language", ""), "");
  EXPECT_EQ(settings_->GetSetting(app_, "", "Name"), "");
  EXPECT_EQ(settings_->GetSetting(app_, "Language", "Name"), "kept");

  // Values keep their bytes up to a NUL.
  const std::string ansi = "Fran\xE7" "ais \xC7\xD1\xC8\xED.ini";  // high bytes of the code page
  ASSERT_TRUE(settings_->SaveSetting(app_, "Language", "Name", ansi).ok());
  EXPECT_EQ(settings_->GetSetting(app_, "Language", "Name"), ansi);

  const std::string big(5000, 'x');  // longer than any first read buffer
  ASSERT_TRUE(settings_->SaveSetting(app_, "Start", "Check1", big).ok());
  EXPECT_EQ(settings_->GetSetting(app_, "Start", "Check1"), big);

  ASSERT_TRUE(settings_->SaveSetting(app_, "Start", "Check1", std::string("1\0tail", 6)).ok());
  EXPECT_EQ(settings_->GetSetting(app_, "Start", "Check1"), "1");
  EXPECT_EQ(settings_->GetSetting(app_, "Start", std::string("Check1\0x", 8)), "1") << "a name ends at its NUL";
}
