#pragma once
// The module information pop-up: its text for one list row, its layout in twips and where it
// opens next to the pointer. The window is plugwarden/win32/frm_tooltip.h.
#include <string>

#include "shared/file_system_port.h"
#include "shared/list_model.h"
#include "shared/twips.h"
#include "shared/version_port.h"
#include "shared/windows_folder_port.h"

namespace plugwarden {

inline constexpr int kToolTipWidth = 4000;
inline constexpr int kToolTipTextHeight = 2500;
inline constexpr int kToolTipMissingTextHeight = 1000;
// The text area is this much narrower, the window this much higher than the text.
inline constexpr int kToolTipMargin = 700;
inline constexpr int kToolTipBorder = 45;  // 3 pixels at 15 twips per pixel
inline constexpr int kToolTipPointerOffset = 200;

inline constexpr char kMissingModuleText[] =
    "Module does not Exist, No more information available\r\n"
    "Recommended:Remove this entry by Plugwarden and re-install the application again";

// What fillToolTip puts into the window.
struct ToolTipContent {
  std::string text;
  int width = kToolTipWidth;  // window width, twips
  int textHeight = kToolTipTextHeight;
};

// The version texts of row listIndex's module (its "Path" column, as a 32-bit object loads it),
// or the missing-module warning.
ToolTipContent fillToolTip(const shared::ListModel& list, int listIndex, shared::FileSystemPort& files,
                           shared::VersionPort& versions, shared::WindowsFolderPort& windowsFolder);

// The window's parts for a window width and a text height, as its resize lays them out.
struct ToolTipLayout {
  int width = 0, height = 0;
  shared::TwipsRect text, image1, imgLeft, imgRight, imgTop, imgBottom;
};
ToolTipLayout LayOutToolTip(int width, int textHeight);

struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// ShowAtCursor's place, in screen pixels: 200 twips right of and below the pointer. A window
// that would cross the work area's right or bottom edge opens on the other side of the pointer
// instead, and it never starts above or left of the work area.
ScreenPoint ShowAtCursorPlace(ScreenPoint pointer, int windowWidth, int windowHeight,
                              const shared::PixelRect& workArea, int dpi);

}  // namespace plugwarden
