#include <gtest/gtest.h>

#include "shared/about_box.h"
#include "shared/splash.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_profile.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_registry.h"
#include "tests/fakes/fake_shell.h"

namespace {

using namespace shared;

class GetKeyValueTest : public ::testing::Test {
 protected:
  void Put(const std::string& path, const std::string& name, std::uint32_t type, const std::string& bytes) {
    Result<KeyHandle> key = registry_.CreateKey(kHkeyLocalMachine, path);
    ASSERT_TRUE(key.ok());
    ASSERT_TRUE(registry_.SetValue(key.value(), name, {type, bytes}).ok());
    registry_.CloseKey(key.value());
  }
  bool Get(const std::string& name, std::string& out) {
    return GetKeyValue(registry_, kHkeyLocalMachine, "SOFTWARE\\T", name, out);
  }
  fakes::FakeRegistry registry_;
};

// Each value stored alone, read into "kept": what comes back and whether the read succeeds.
TEST_F(GetKeyValueTest, StringsDwordsOtherTypesAndFailures) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::string stored;
    bool found;
    std::string read;
  };
  const Case cases[] = {
      {"WithNul", kRegSz, std::string("C:\\x.exe\0", 9), true, "C:\\x.exe"},
      {"Without", kRegSz, "C:\\y.exe", true, "C:\\y.exe"},  // no character lost
      {"TwoNuls", kRegSz, std::string("ab\0\0", 4), true, std::string("ab\0", 3)},  // one NUL only
      {"Zero", kRegDword, std::string(4, '\0'), true, "&h0"},
      {"Some", kRegDword, std::string("\x1F\x0A\0\0", 4), true, "&hA1F"},  // upper case, no leading zeros
      {"Max", kRegDword, std::string(4, '\xFF'), true, "&hFFFFFFFF"},
      {"Bin", kRegBinary, "\x01\x02", true, "kept"},  // other types keep the caller's text
      {"Huge", kRegSz, std::string(2000, 'x'), false, ""},  // longer than the 1024-byte buffer
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Put("SOFTWARE\\T", c.name, c.type, c.stored);
    std::string v = "kept";
    EXPECT_EQ(Get(c.name, v), c.found);
    EXPECT_EQ(v, c.read);
  }
  std::string v = "x";
  EXPECT_FALSE(Get("Missing", v));
  EXPECT_EQ(v, "");
  v = "x";
  EXPECT_FALSE(GetKeyValue(registry_, kHkeyLocalMachine, "SOFTWARE\\Nowhere", "PATH", v));
  EXPECT_EQ(v, "");
  EXPECT_EQ(registry_.OpenHandles(), 0);
  registry_.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\T");
  EXPECT_TRUE(Get("Without", v)) << "opened for reading only";
}

class StartSysInfoTest : public GetKeyValueTest {
 protected:
  void Start() {
    StartSysInfo(registry_, files_, shell_, prompt_, "Plugwarden", [this] {
      ++lookups_;
      return std::string("No system information");
    });
  }
  fakes::FakeFileSystem files_;
  fakes::FakeShell shell_;
  fakes::FakePrompt prompt_;
  int lookups_ = 0;
};

// The registered PATH is run as it stands (a failed start shows the message, no fall-back);
// without one, the shared tools folder's MSINFO32.EXE if it is there.
TEST_F(StartSysInfoTest, TheRegisteredPathThenTheSharedToolsFolderElseTheMessage) {
  Start();
  EXPECT_EQ(prompt_.Asked().size(), 1u);
  Put(kSharedToolsLocationKey, "MSINFO", kRegSz, std::string("C:\\Tools\0", 9));
  Start();
  EXPECT_TRUE(shell_.CommandLines().empty()) << "no MSINFO32.EXE in the folder";
  files_.AddFile("C:\\Tools\\MSINFO32.EXE");
  shell_.AddProgram("C:\\Tools\\MSINFO32.EXE");
  Start();
  EXPECT_EQ(shell_.CommandLines(), std::vector<std::string>{"C:\\Tools\\MSINFO32.EXE"});
  EXPECT_EQ(prompt_.Asked().size(), 2u);

  Put(kMsinfoKey, "PATH", kRegSz, std::string("C:\\Program Files\\MSInfo\\msinfo32.exe") + '\0');
  shell_.AddProgram("C:\\Program Files\\MSInfo\\msinfo32.exe");
  Start();
  EXPECT_EQ(shell_.CommandLines().back(), "\"C:\\Program Files\\MSInfo\\msinfo32.exe\"");
  EXPECT_EQ(prompt_.Asked().size(), 2u);
  EXPECT_EQ(lookups_, 2) << "the message is looked up only when shown";

  Put(kMsinfoKey, "PATH", kRegSz, "C:\\gone.exe");
  Start();
  EXPECT_EQ(shell_.CommandLines().size(), 3u) << "no fall-back to the folder once PATH was read";
  ASSERT_EQ(prompt_.Asked().size(), 3u);
  EXPECT_EQ(prompt_.Asked()[2].text, "No system information");
  EXPECT_EQ(prompt_.Asked()[2].style, kMbOk);
  EXPECT_EQ(prompt_.Asked()[2].title, "Plugwarden");
}

class AboutCaptionsTest : public ::testing::Test {
 protected:
  AboutCaptionsTest() {
    files_.AddFile("C:\\PW\\Lang\\English.ini",
                   "[Vexlin Language Pack]\r\n8401=About it\r\n8402=PW\r\n8403=V1\r\n8404=D\r\n8405=W\r\n"
                   "8406=OK!\r\n8407=&Info\r\n");
    files_.AddFile("C:\\PW\\Lang\\Arabic.ini", "[Vexlin Language Pack]\r\n8401=A\r\n");
  }
  fakes::FakeFileSystem files_;
  fakes::FakeProfile profile_{files_, "C:\\WINDOWS"};
  fakes::FakeClock clock_;
  LanguagePack pack_{profile_, files_, clock_, "C:\\PW"};
};

std::vector<std::string> Texts(const AboutCaptions& c) {
  return {c.caption, c.title, c.version, c.description, c.disclaimer, c.ok, c.sysInfo};
}

TEST_F(AboutCaptionsTest, PlugwardenLooksUpAllSevenBootwardenKeepsItsDesignTextsBothSetTheReadingOrder) {
  AboutCaptions c = LoadAboutCaptions(PlugwardenAbout(), &pack_);
  EXPECT_EQ(pack_.CurrentLanguageFile(), "English.ini") << "Plugwarden defaults to English";
  EXPECT_EQ(Texts(c), (std::vector<std::string>{"About it", "PW", "V1", "D", "W", "OK!", "&Info"}));
  EXPECT_EQ(c.rightToLeft, std::nullopt) << "design setting kept";
  pack_.SetCurrentLanguageFile("Arabic.ini");
  c = LoadAboutCaptions(PlugwardenAbout(), &pack_);
  EXPECT_EQ(c.rightToLeft, true);
  EXPECT_EQ(c.caption + "|" + c.ok, "A|") << "a missing key is an empty caption";
  EXPECT_EQ(LoadAboutCaptions(BootwardenAbout(), &pack_).rightToLeft, true);

  LanguagePack fresh{profile_, files_, clock_, "C:\\PW"};
  c = LoadAboutCaptions(BootwardenAbout(), &fresh);
  EXPECT_EQ(fresh.CurrentLanguageFile(), "") << "Bootwarden sets no default language here";
  EXPECT_EQ(c.caption, "About Bootwarden");
  EXPECT_EQ(c.rightToLeft, false);
  fresh.SetCurrentLanguageFile("English.ini");
  EXPECT_EQ(LoadAboutCaptions(PlugwardenAbout(), &fresh).rightToLeft, std::nullopt) << "back to left-to-right";
}

TEST(AboutLayoutTest, TwipsAtTheRealDpiRoundedHalfUp) {
  const AboutLayout at96 = LayOutAbout(PlugwardenAbout(), 96);
  EXPECT_EQ(at96.whiteRuleY, at96.greyRuleY + 1) << "the rule's halves touch";
  const AboutLayout at144 = LayOutAbout(BootwardenAbout(), 144);
  EXPECT_LE(at144.ok.top + at144.ok.height, at144.sysInfo.top) << "the buttons never overlap";

  // {twips, dpi, pixels}: half a pixel rounds up, away from zero.
  const int cases[][3] = {{15, 96, 1}, {7, 96, 0}, {8, 96, 1}, {-8, 96, -1}, {1440, 144, 144}};
  for (const auto& [twips, dpi, pixels] : cases) EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " at " << dpi;
  EXPECT_EQ(PointsToPixels(8.25, 96), 11);
}

TEST(SplashPresenterTest, HandOverOnceAndDismissEnds) {
  SplashPresenter handed;
  EXPECT_EQ(handed.TimerTick(), SplashAction::kHandOver);
  handed.HandedOver(true);
  EXPECT_EQ(handed.Phase(), SplashPhase::kMainWindowOpen);
  EXPECT_EQ(handed.TimerTick(), SplashAction::kNone);
  EXPECT_EQ(handed.Dismiss(), SplashAction::kNone) << "a key after the hand-over is the main window's";

  SplashPresenter dismissed;
  EXPECT_EQ(dismissed.Dismiss(), SplashAction::kClose);
  EXPECT_EQ(dismissed.Phase(), SplashPhase::kEnded);
  EXPECT_EQ(dismissed.TimerTick(), SplashAction::kNone) << "no main window after an early dismissal";

  SplashPresenter failed;
  failed.TimerTick();
  failed.HandedOver(false);
  EXPECT_EQ(failed.Phase(), SplashPhase::kEnded);
}

}  // namespace
