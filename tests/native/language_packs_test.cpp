// The packs that ship in lang/: every text both programs look up is in every pack, and the files
// are in the code page the ANSI INI functions read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "shared/language_pack.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"

namespace {

// Every number the windows of both programs look up.
std::vector<std::string> KeysInUse() {
  std::vector<std::string> keys;
  auto range = [&keys](int first, int last) {
    for (int key = first; key <= last; ++key) keys.push_back(std::to_string(key));
  };
  range(8101, 8111), range(8120, 8122), range(8130, 8133), range(8151, 8156);  // Plugwarden main window
  range(8201, 8203), range(8301, 8303), range(8401, 8407), range(8510, 8518);   // its dialogs and messages
  range(8601, 8620);
  range(101, 107), range(110, 113), range(120, 122), range(130, 134), range(140, 144);  // Bootwarden
  range(151, 156), range(201, 205), range(301, 307), range(410, 413), range(420, 420), range(430, 431),
      range(434, 453);
  return keys;
}

const char kMissing[] = "\x01missing";

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool IsUtf8(const std::string& bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length == 0 || i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2) return false;
    }
    i += length;
  }
  return true;
}

struct ShippedPack {
  std::string name;   // "German.ini"
  std::string bytes;  // the file as shipped
};

class LanguagePacks : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : std::filesystem::directory_iterator(WARDEN_LANG_SOURCE_DIR)) {
      const std::string name = entry.path().filename().string();
      if (entry.path().extension() != ".ini") continue;  // the flags pair with them in the Wine combo test
      packs_.push_back({name, ReadBytes(entry.path())});
      files_.AddFile("C:\\Prog\\Lang\\" + name, packs_.back().bytes);
    }
    std::sort(packs_.begin(), packs_.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  }

  // The text as the windows get it.
  std::string Lookup(const std::string& pack, const std::string& key) {
    shared::LanguagePack lookup(profile_, files_, clock_, "C:\\Prog");
    lookup.SetCurrentLanguageFile(pack);
    return lookup.SetCaptionfromINI(key, kMissing);
  }

  // The keys of a pack in file order, as written.
  static std::vector<std::string> Keys(const std::string& bytes) {
    std::vector<std::string> keys;
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);) {
      if (line.empty() || line[0] == ';' || line[0] == '[' || line == "\r") continue;
      keys.push_back(line.substr(0, line.find('=')));
    }
    return keys;
  }

  fakes::FakeFileSystem files_;
  fakes::FakeProfile profile_{files_, "C:\\Windows"};
  fakes::FakeClock clock_;
  std::vector<ShippedPack> packs_;
};

// English holds every key in use once; every pack has English's keys in its order and a text
// wherever English has one.
TEST_F(LanguagePacks, EveryPackHasEveryKeyInUse) {
  const std::vector<std::string> englishKeys = Keys(ReadBytes(std::filesystem::path(WARDEN_LANG_SOURCE_DIR) / "English.ini"));
  for (const std::string& key : KeysInUse()) EXPECT_EQ(std::count(englishKeys.begin(), englishKeys.end(), key), 1) << key;
  for (const auto& pack : packs_) {
    EXPECT_EQ(Keys(pack.bytes), englishKeys) << pack.name << ": same keys, once each, in the same order";
    for (const std::string& key : englishKeys) {
      const std::string text = Lookup(pack.name, key);
      EXPECT_NE(text, kMissing) << pack.name << " " << key;
      EXPECT_EQ(text.empty(), Lookup("English.ini", key).empty()) << pack.name << " " << key << " shows as an empty caption";
    }
    // Both are followed directly by a path or a key name.
    for (const char* key : {"8512", "8515"}) {
      const std::string text = Lookup(pack.name, key);
      EXPECT_TRUE(!text.empty() && text.back() == ' ') << pack.name << " " << key << " keeps its last blank";
    }
  }
}

TEST_F(LanguagePacks, FilesAreAnsiTextWithCrLfLines) {
  for (const auto& pack : packs_) {
    const bool hasHighBytes =
        std::any_of(pack.bytes.begin(), pack.bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (hasHighBytes) {
      EXPECT_FALSE(IsUtf8(pack.bytes)) << pack.name << " is UTF-8, the ANSI reader would garble it";
    }
    for (std::size_t i = 0; i < pack.bytes.size(); ++i) {
      if (pack.bytes[i] == '\n') {
        ASSERT_TRUE(i > 0 && pack.bytes[i - 1] == '\r') << pack.name << " at byte " << i;
      }
    }
    if (pack.name == "Arabic.ini") continue;
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})  // holes of Windows-1252
      EXPECT_EQ(pack.bytes.find(static_cast<char>(undefined)), std::string::npos) << pack.name;
  }
  EXPECT_EQ(Lookup("German.ini", "8105"), "Alle zur\xFC" "cksetzen") << "Windows-1252";
  EXPECT_EQ(Lookup("Arabic.ini", "8103"), "&\xCA\xDA\xD8\xED\xE1") << "Windows-1256";
}

TEST_F(LanguagePacks, EnglishKeepsTheDesignTexts) {
  // The ones an editor most easily "fixes": doubled blanks and the original wording.
  const char kApply[] = "Are you sure you want to apply these changes?";
  const std::pair<const char*, const char*> texts[] = {
      {"8109", "Let Plugwarden to  start always with Windows and apply this profile(current values in this list)"},
      {"8302", "Select a Profile to load the configuration::"}, {"106", "Select  Language"},
      {"202", "Add in        :"}, {"133", "Apply and& Exit Program"}, {"8518", kApply}, {"413", kApply}};
  for (const auto& [key, text] : texts) EXPECT_EQ(Lookup("English.ini", key), text) << key;
}

}  // namespace
