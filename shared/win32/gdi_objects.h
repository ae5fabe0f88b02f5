#pragma once
// Owners of GDI objects and memory device contexts for the shared windows.
#include <windows.h>

#include "shared/win32/unique_handle.h"

namespace shared::win32 {

template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type None() { return nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};
struct MemoryDcTraits {
  using Type = HDC;
  static Type None() { return nullptr; }
  static void Close(Type h) { ::DeleteDC(h); }
};

using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// Selects an object into a DC for one scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A font from a face, a size in points and a weight at the given DPI; nullptr when it cannot
// be made (the caller then keeps the window's font).
HFONT CreatePointFont(const char* face, double points, bool bold, int dpi);

// The DPI the window is shown at (the system DPI before Windows 10's per-monitor scaling).
int WindowDpi(HWND window);

// Registers a window class of this module with an arrow cursor, unless it already is.
bool RegisterClassOnce(const char* name, WNDPROC proc, HBRUSH background);

}  // namespace shared::win32
