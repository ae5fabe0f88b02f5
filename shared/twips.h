#pragma once
// Window geometry is designed in twips (1/1440 inch) and shown in pixels of the real DPI.

namespace shared {

inline constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel, halves away from zero.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kTwipsPerInch / 2) / kTwipsPerInch
                                      : -((-scaled + kTwipsPerInch / 2) / kTwipsPerInch));
}

// A font size in points as a pixel height (the negative LOGFONT height is the caller's business).
constexpr int PointsToPixels(double points, int dpi) { return static_cast<int>(points * dpi / 72.0 + 0.5); }

struct TwipsRect {
  int left = 0, top = 0, width = 0, height = 0;
};
struct PixelRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Edges are converted, not the extent, so neighbouring controls that touch in twips still touch.
constexpr PixelRect ToPixels(const TwipsRect& r, int dpi) {
  const int left = TwipsToPixels(r.left, dpi);
  const int top = TwipsToPixels(r.top, dpi);
  return {left, top, TwipsToPixels(r.left + r.width, dpi) - left, TwipsToPixels(r.top + r.height, dpi) - top};
}

}  // namespace shared
