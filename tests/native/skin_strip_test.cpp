// The generated skin strip against the colour table of the button's looks.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Pixel {
  int r, g, b;
};

class SkinStrip {
 public:
  explicit SkinStrip(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    data_.assign(std::istreambuf_iterator<char>(in), {});
  }
  bool Valid() const {
    return data_.size() > 54 && data_[0] == 'B' && data_[1] == 'M' && U32(18) == 90 && U32(22) == 21 && U16(28) == 24;
  }
  Pixel At(int x, int y) const {
    const std::size_t stride = (90 * 3 + 3) & ~3u;
    const std::size_t at = U32(10) + (20 - y) * stride + x * 3;  // bottom-up rows, BGR
    return {Byte(at + 2), Byte(at + 1), Byte(at)};
  }

 private:
  int Byte(std::size_t i) const { return static_cast<unsigned char>(data_[i]); }
  std::uint32_t U16(std::size_t i) const { return Byte(i) | Byte(i + 1) << 8; }
  std::uint32_t U32(std::size_t i) const { return U16(i) | U16(i + 2) << 16; }
  std::vector<char> data_;
};

Pixel Hex(const char* text) {
  const long v = std::strtol(text, nullptr, 16);
  return {static_cast<int>(v >> 16 & 0xFF), static_cast<int>(v >> 8 & 0xFF), static_cast<int>(v & 0xFF)};
}

::testing::AssertionResult Near(const Pixel& got, const char* want, int slack = 1) {
  const Pixel w = Hex(want);
  if (std::abs(got.r - w.r) <= slack && std::abs(got.g - w.g) <= slack && std::abs(got.b - w.b) <= slack)
    return ::testing::AssertionSuccess();
  char text[64];
  std::snprintf(text, sizeof text, "#%02X%02X%02X, want #%s", got.r, got.g, got.b, want);
  return ::testing::AssertionFailure() << text;
}

// Row colours at the centre of each cell, copied from the look's table (not from the generator).
const char* const kRows[21][5] = {
    {"003C74", "003C74", "C9C7BA", "003C74", "003C74"}, {"FFFFFF", "D1CCC1", "F5F4EA", "FFF0CF", "CEE7FF"},
    {"FEFEFE", "DCD8CF", "F5F4EA", "FDD889", "BCD4F6"}, {"FCFCFB", "E5E4DD", "F5F4EA", "FCFCFB", "FCFCFB"},
    {"FAFAF9", "E6E6E0", "F5F4EA", "FAFAF9", "FAFAF9"}, {"F8F8F6", "E5E4DE", "F5F4EA", "F8F8F6", "F8F8F6"},
    {"F6F6F3", "E4E3DC", "F5F4EA", "F6F6F3", "F6F6F3"}, {"F6F6F2", "E4E3DC", "F5F4EA", "F6F6F2", "F6F6F2"},
    {"F5F5F1", "E3E3DB", "F5F4EA", "F5F5F1", "F5F5F1"}, {"F4F4F0", "E3E2DA", "F5F4EA", "F4F4F0", "F4F4F0"},
    {"F3F3EF", "E2E1DA", "F5F4EA", "F3F3EF", "F3F3EF"}, {"F3F3EE", "E2E1D9", "F5F4EA", "F3F3EE", "F3F3EE"},
    {"F2F2ED", "E2E1D9", "F5F4EA", "F2F2ED", "F2F2ED"}, {"F1F1ED", "E1E0D9", "F5F4EA", "F1F1ED", "F1F1ED"},
    {"F1F1EC", "E1E0D8", "F5F4EA", "F1F1EC", "F1F1EC"}, {"F0F0EB", "E0E0D7", "F5F4EA", "F0F0EB", "F0F0EB"},
    {"F0F0EA", "E0E0D7", "F5F4EA", "F0F0EA", "F0F0EA"}, {"ECEBE6", "E2E2DA", "F5F4EA", "ECEBE6", "ECEBE6"},
    {"E2DFD6", "EAE9E3", "F5F4EA", "F8B330", "89ADE4"}, {"D6D0C5", "F2F1EE", "F5F4EA", "E59700", "6982EE"},
    {"003C74", "003C74", "C9C7BA", "003C74", "003C74"},
};

class SkinStripTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(strip_.Valid()) << WARDEN_SKIN_STRIP_BMP << " is not a 90 x 21 24-bit BMP"; }
  Pixel At(int cell, int x, int y) const { return strip_.At(cell * 18 + x, y); }
  SkinStrip strip_{WARDEN_SKIN_STRIP_BMP};
};

TEST_F(SkinStripTest, EveryRowOfEveryCellCarriesItsColourAcrossColumns3To13) {
  for (int cell = 0; cell < 5; ++cell)
    for (int y = 0; y < 21; ++y)
      for (int x = 3; x <= 13; ++x) EXPECT_TRUE(Near(At(cell, x, y), kRows[y][cell])) << cell << " " << x << "," << y;
}

TEST_F(SkinStripTest, FramesAndRoundedCorners) {
  for (int cell : {0, 1, 3, 4}) {
    for (int y = 3; y <= 17; ++y) {
      EXPECT_TRUE(Near(At(cell, 0, y), "003C74", 0)) << "left frame, cell " << cell;
      EXPECT_TRUE(Near(At(cell, 17, y), "003C74", 0)) << "right frame, cell " << cell;
    }
    EXPECT_TRUE(Near(At(cell, 0, 0), "DDD7C5", 0)) << "corner blend, cell " << cell;
    EXPECT_TRUE(Near(At(cell, 1, 0), "65869F", 0));
    EXPECT_TRUE(Near(At(cell, 1, 1), "225583", 0));
    // The other three corners mirror the first.
    EXPECT_TRUE(Near(At(cell, 17, 0), "DDD7C5", 0));
    EXPECT_TRUE(Near(At(cell, 17, 20), "DDD7C5", 0));
    EXPECT_TRUE(Near(At(cell, 0, 20), "DDD7C5", 0));
  }
  for (int y = 2; y <= 18; ++y) EXPECT_TRUE(Near(At(2, 0, y), "C9C7BA", 0)) << "disabled frame has no blue";
}

TEST_F(SkinStripTest, DarkerColumnsOfTheNormalAndPressedCells) {
  EXPECT_TRUE(Near(At(0, 15, 10), "EEEDE7"));
  EXPECT_TRUE(Near(At(0, 16, 10), "E8E5DF"));
  EXPECT_TRUE(Near(At(1, 1, 10), "D7D4CB"));
  EXPECT_TRUE(Near(At(1, 2, 10), "DDDBD3"));
  EXPECT_TRUE(Near(At(0, 1, 10), "F3F3EF")) << "cell 0's left side is not darkened";
}

TEST_F(SkinStripTest, SideRimsOfTheHotAndEmphasisedCells) {
  for (int x : {1, 2, 15, 16}) {
    EXPECT_TRUE(Near(At(3, x, 3), "FEDF9A")) << x;
    EXPECT_TRUE(Near(At(3, x, 17), "F9B435")) << x;
    EXPECT_TRUE(Near(At(4, x, 3), "BAD3F5")) << x;
    EXPECT_TRUE(Near(At(4, x, 17), "89ADE4")) << x;
  }
  // Rows 1, 2, 18 and 19 are the rims of the table, right across (column 1 is a corner pixel there).
  for (int x : {2, 15}) {
    EXPECT_TRUE(Near(At(3, x, 19), "E59700")) << x;
    EXPECT_TRUE(Near(At(4, x, 1), "CEE7FF")) << x;
    EXPECT_TRUE(Near(At(4, x, 18), "89ADE4")) << x;
  }
  const Pixel middle = At(3, 1, 10);
  EXPECT_TRUE(middle.g < 0xDF && middle.g > 0xB4) << "the rim runs from top to bottom";
}

}  // namespace
