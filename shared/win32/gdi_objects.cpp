#include "shared/win32/gdi_objects.h"

#include <cstring>

#include "shared/twips.h"

namespace shared::win32 {

HFONT CreatePointFont(const char* face, double points, bool bold, int dpi) {
  LOGFONTA font{};
  font.lfHeight = -PointsToPixels(points, dpi);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  ::lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return ::CreateFontIndirectA(&font);
}

int WindowDpi(HWND window) {
  // GetDpiForWindow exists from Windows 10 1607 on; older systems and Wine without it give the
  // system DPI through the screen DC.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

bool RegisterClassOnce(const char* name, WNDPROC proc, HBRUSH background) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExA(instance, name, &wc)) return true;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return ::RegisterClassExA(&wc) != 0;
}

}  // namespace shared::win32
