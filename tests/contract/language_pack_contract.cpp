#include "tests/contract/language_pack_contract.h"

#include <algorithm>

namespace {

const char kPack[] =
    "; a comment line\r\n[Other Section]\r\n8101=from the wrong section\r\n"
    "[Vexlin Language Pack]\r\n8101=Installed Browser Helper Objects\r\n8102=\r\n8103=   &Disable   \r\n"
    "8104=\"quoted keeps its last blank \"\r\n8105=\"   \"\r\n8106=Select  Language\r\n";

}  // namespace

void LanguagePackContract::SetUp() {
  auto ports = GetParam().make();
  files_ = std::move(ports.first);
  profile_ = std::move(ports.second);
  std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::replace(name.begin(), name.end(), '/', '_');
  programFolder_ = GetParam().scratch + "\\" + name;
  ASSERT_TRUE(files_->CreateFolder(programFolder_).ok());
  ASSERT_TRUE(files_->CreateFolder(programFolder_ + "\\Lang").ok());
  TearDown();  // what an earlier run left
  pack_ = std::make_unique<shared::LanguagePack>(*profile_, *files_, clock_, programFolder_);
  pack_->SetCurrentLanguageFile("English.ini");
}

void LanguagePackContract::TearDown() {
  for (const char* file : {"\\errorlog.txt", "\\Lang\\English.ini", "\\Lang\\FRENCH.INI"})
    files_->RemoveFile(programFolder_ + file).IgnoreError();
}

TEST_P(LanguagePackContract, LooksUpTextsByNumberWithoutCaseAndAMissingPackGivesDefaults) {
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "");
  EXPECT_EQ(pack_->SetCaptionfromINI("8518", "Are you sure?"), "Are you sure?");
  pack_->SetCurrentLanguageFile("");  // before the main window chose one
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", "d"), "d");

  pack_->SetCurrentLanguageFile("English.ini");
  WritePack("English.ini", kPack);
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "Installed Browser Helper Objects");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", "ignored"), "Installed Browser Helper Objects");
  EXPECT_EQ(pack_->SetCaptionfromINI("8102", "a default"), "") << "present but empty is not the default";
  EXPECT_EQ(pack_->SetCaptionfromINI("8103", ""), "&Disable");
  EXPECT_EQ(pack_->SetCaptionfromINI("8104", ""), "quoted keeps its last blank ")
      << "a blank before the NUL is not trimmed";
  EXPECT_EQ(pack_->SetCaptionfromINI("8105", "x"), "") << "only blanks";
  EXPECT_EQ(pack_->SetCaptionfromINI("8106", ""), "Select  Language");
  EXPECT_EQ(pack_->SetCaptionfromINI("9999", ""), "");
  EXPECT_EQ(pack_->SetCaptionfromINI("9999", "  padded default  "), "padded default");
  EXPECT_EQ(Log(), "<no log>") << "a missing key or pack is no failure";

  // Section, key and pack file names compare without case.
  WritePack("English.ini", "[VEXLIN language PACK]\r\nKey=x\r\n8101=upper section\r\n");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "upper section");
  EXPECT_EQ(pack_->SetCaptionfromINI("KEY", ""), "x");
  WritePack("FRENCH.INI", "[Vexlin Language Pack]\r\n8101=Objets install\xE9s\r\n");
  pack_->SetCurrentLanguageFile("FRENCH.ini");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "Objets install\xE9s");
}

TEST_P(LanguagePackContract, LongValuesAreCutTo499CharactersAndEveryLookupReadsThePackAgain) {
  std::string value;
  for (int i = 0; i < 600; ++i) value += static_cast<char>('a' + i % 26);
  WritePack("English.ini", "[Vexlin Language Pack]\r\n8101=" + value + "\r\n8102=" + value.substr(0, 499) + "\r\n");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), value.substr(0, 499));
  EXPECT_EQ(pack_->SetCaptionfromINI("8102", ""), value.substr(0, 499));
  EXPECT_EQ(pack_->SetCaptionfromINI("9999", value), value.substr(0, 499)) << "the default is cut too";

  WritePack("English.ini", "[Vexlin Language Pack]\r\n8101=before\r\n");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "before");
  WritePack("English.ini", "[Vexlin Language Pack]\r\n8101=after\r\n8102=new key\r\n");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "after");
  EXPECT_EQ(pack_->SetCaptionfromINI("8102", ""), "new key");
  ASSERT_TRUE(files_->RemoveFile(programFolder_ + "\\Lang\\English.ini").ok());
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", "gone"), "gone");
}

TEST_P(LanguagePackContract, AFailedLookupAppendsOneRecordOrNothingAndGivesEmptyText) {
  WritePack("English.ini", kPack);
  const std::string earlier = "\"\r\nDate: 01/01/2000\",\"Time: 00:00:01\",\"an earlier record\"\r\n";
  ASSERT_TRUE(files_->AppendFile(programFolder_ + "\\errorlog.txt", earlier).ok());

  // A name that would read outside the Lang folder is a failure, not a file to read.
  pack_->SetCurrentLanguageFile("..\\English.ini");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", "not the default either"), "");
  const std::string record =
      "\"\r\nDate: 24/03/2009\",\"Time: 14:05:09\",\"Error Description: The filename, directory name, or volume "
      "label syntax is incorrect., Error Number: 123, Method: SetCaptionfromINI\"\r\n";
  EXPECT_EQ(Log(), earlier + record);

  clock_.Set("25/03/2009", "09:00:00");
  pack_->SetCurrentLanguageFile("C:English.ini");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "");
  const std::string log = Log();
  EXPECT_EQ(log.substr(0, earlier.size() + record.size()), earlier + record) << "earlier records untouched";
  const std::string next = "\"\r\nDate: 25/03/2009\",\"Time: 09:00:00\",\"Error Description: ";
  EXPECT_EQ(log.substr(earlier.size() + record.size(), next.size()), next);
  EXPECT_EQ(log.size() - log.rfind("\"\r\nDate: "), record.size()) << "one record more, ended by CR LF";

  pack_->SetCurrentLanguageFile("English.ini");
  EXPECT_EQ(pack_->SetCaptionfromINI("8101", ""), "Installed Browser Helper Objects") << "and back to normal";

  // A log that cannot be written is silent.
  shared::LanguagePack nowhere(*profile_, *files_, clock_, programFolder_ + "\\no such folder");
  nowhere.SetCurrentLanguageFile("a\\b.ini");
  EXPECT_EQ(nowhere.SetCaptionfromINI("8101", "d"), "");
  EXPECT_FALSE(files_->GetAttributes(programFolder_ + "\\no such folder\\errorlog.txt").has_value());
  nowhere.WriteErrorLog("direct");
  EXPECT_FALSE(files_->GetAttributes(programFolder_ + "\\no such folder").has_value()) << "nothing created";
}
