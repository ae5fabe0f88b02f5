#include <gtest/gtest.h>

#include "shared/language_list.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_settings.h"

namespace {

using shared::DirectoryEntry;
using shared::LanguageList;

std::vector<DirectoryEntry> Listing(std::initializer_list<const char*> names) {
  std::vector<DirectoryEntry> entries;
  for (const char* name : names) entries.push_back({name, {}});
  return entries;
}

std::vector<std::string> Texts(const LanguageList& list) {
  std::vector<std::string> texts;
  for (const auto& item : list.items) texts.push_back(item.text + "@" + std::to_string(item.picture));
  return texts;
}

TEST(LanguageList, PicturesAndLanguagesPairByPositionNotByName) {
  LanguageList list = shared::BuildLanguageList(Listing({"Arabic.ini", "English.ini", "Arabic.bmp", "English.bmp"}),
                                                "English.ini");
  EXPECT_EQ(list.pictureFiles, (std::vector<std::string>{"Arabic.bmp", "English.bmp"}));
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"Arabic@1", "English@2"}));
  EXPECT_EQ(list.selected, 1u);
  EXPECT_TRUE(list.LanguagePackFound);

  list = shared::BuildLanguageList(Listing({"Arabic.ini", "English.ini", "Arabic.bmp"}), "English.ini");
  EXPECT_EQ(list.pictureFiles.size(), 1u);
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"Arabic@1", "English@2"})) << "picture 2 does not exist";

  list = shared::BuildLanguageList(Listing({"German.bmp", "English.ini", "zz.BMP", "German.ini"}), "German.ini");
  EXPECT_EQ(list.pictureFiles, (std::vector<std::string>{"German.bmp", "zz.BMP"}));
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"English@1", "German@2"})) << "English takes German's flag";
}

TEST(LanguageList, OrdinaryFilesOnlyNamesCutAtTheFirstIniWithoutCase) {
  std::vector<DirectoryEntry> listing = Listing({"FRENCH.INI", "Old.ini.ini", "a.Ini", "notes.txt", "pack.ini.bak",
                                                 "flag.bmp.txt", ".ini", "Hidden.ini", "Folder.ini", "System.bmp"});
  listing[7].attributes.hidden = true;
  listing[8].attributes.directory = true;
  listing[9].attributes.system = true;
  const LanguageList list = shared::BuildLanguageList(listing, "french.ini");
  EXPECT_EQ(Texts(list), (std::vector<std::string>{"FRENCH@1", "Old@2", "a@3", "@4"}));
  EXPECT_TRUE(list.pictureFiles.empty());
  EXPECT_EQ(list.selected, 0u) << "selection compares without case";
  EXPECT_FALSE(shared::BuildLanguageList(listing, "Hidden.ini").selected.has_value());

  const LanguageList none = shared::BuildLanguageList(Listing({"English.bmp"}), "English.ini");
  EXPECT_TRUE(none.items.empty());
  EXPECT_FALSE(none.selected.has_value());
  EXPECT_FALSE(none.LanguagePackFound) << "no packs, no selection";
}

TEST(LanguageList, AFailedPictureStopsBeforeAnyItem) {
  LanguageList list = shared::BuildLanguageList(
      Listing({"Arabic.bmp", "broken.bmp", "English.bmp", "Arabic.ini", "English.ini"}), "English.ini");
  shared::StopAtFailedPicture(list, 1);
  EXPECT_EQ(list.pictureFiles, (std::vector<std::string>{"Arabic.bmp"}));
  EXPECT_TRUE(list.items.empty());
  EXPECT_FALSE(list.selected.has_value());
  EXPECT_FALSE(list.LanguagePackFound) << "Bootwarden then keeps its design captions";
}

// What a real Lang folder lists is the Wine combo test's.
TEST(LanguageList, FillListsTheLangFolder) {
  fakes::FakeFileSystem files;
  EXPECT_TRUE(shared::FillLanguageList(files, "C:\\Prog\\Lang", "English.ini").value().items.empty())
      << "no Lang folder: an empty list, no error";
  files.AddFile("C:\\Prog\\File");
  EXPECT_FALSE(shared::FillLanguageList(files, "C:\\Prog\\File", "English.ini").ok())
      << "other listing failures are for the window to show";
}

class LanguageChoiceTest : public ::testing::Test {
 protected:
  fakes::FakeFileSystem files_;
  fakes::FakeProfile profile_{files_, "C:\\Windows"};
  fakes::FakeClock clock_;
  fakes::FakeSettings settings_;
  shared::LanguagePack pack_{profile_, files_, clock_, "C:\\Prog"};
};

// Nothing stored, Arabic stored and the choice stored at the end are the window tests'.
TEST_F(LanguageChoiceTest, TheStoredChoiceAtStart) {
  ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", "Arabic.ini").ok());
  EXPECT_FALSE(shared::ChooseLanguageAtStart(pack_, settings_, "Plugwarden")) << "each program has its own";
  EXPECT_EQ(pack_.CurrentLanguageFile(), "English.ini");

  ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", "arabic.ini").ok());
  EXPECT_FALSE(shared::ChooseLanguageAtStart(pack_, settings_, "Bootwarden")) << "right to left is exact";
  EXPECT_EQ(pack_.CurrentLanguageFile(), "arabic.ini");

  ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", "Missing.ini").ok());
  shared::ChooseLanguageAtStart(pack_, settings_, "Bootwarden");
  EXPECT_EQ(pack_.CurrentLanguageFile(), "Missing.ini") << "a missing pack gives defaults later, kept as stored";

  for (const char* bad : {"..\\..\\win.ini", "C:\\Windows\\win.ini", "D:x.ini", "\\\\server\\share\\x.ini"}) {
    ASSERT_TRUE(settings_.SaveSetting("Bootwarden", "Language", "Name", bad).ok());
    shared::ChooseLanguageAtStart(pack_, settings_, "Bootwarden");
    EXPECT_EQ(pack_.CurrentLanguageFile(), "English.ini") << bad;
  }
  settings_.FailSaves(true);
  EXPECT_FALSE(shared::StoreCurrentLanguage(pack_, settings_, "Plugwarden").ok()) << "a failed save is reported";
}

// Same language, right to left and back: the window tests. Here the file name an item makes.
TEST_F(LanguageChoiceTest, ChoosingAnItem) {
  pack_.SetCurrentLanguageFile("English.ini");
  const shared::LanguageChoice choice = shared::ChooseLanguageItem(pack_, "FRENCH");
  EXPECT_TRUE(choice.changed);
  EXPECT_EQ(pack_.CurrentLanguageFile(), "FRENCH.ini");
  pack_.SetCurrentLanguageFile("english.ini");
  EXPECT_TRUE(shared::ChooseLanguageItem(pack_, "English").changed) << "the comparison is exact";
}

}  // namespace
