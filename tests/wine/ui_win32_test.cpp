// The shared windows in process under Wine and Xvfb: real messages to real controls, then their
// pixels, captions and the commands their holder receives.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "shared/about_box.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/frm_splash.h"
#include "shared/win32/gdi_objects.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/xp_cmd_button.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_shell.h"

namespace {

using namespace shared::win32;

struct Holder {
  std::vector<WPARAM> commands;
  std::vector<UINT> notifications;
};
Holder* gHolder = nullptr;

LRESULT CALLBACK HolderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (gHolder != nullptr && message == WM_COMMAND) gHolder->commands.push_back(wParam);
  if (gHolder != nullptr && message == WM_NOTIFY)
    gHolder->notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (TranslateSharedWindowMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

COLORREF Pixel(HWND window, int x, int y) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = ::GetDC(window);
  const COLORREF c = ::GetPixel(dc, x, y);
  ::ReleaseDC(window, dc);
  return c;
}

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gHolder = &holder_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = HolderProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "WardenTestHolder";
    ::RegisterClassA(&wc);
    holderWindow_ = ::CreateWindowA("WardenTestHolder", "holder", WS_POPUP | WS_VISIBLE, 300, 300, 400, 200, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    ASSERT_NE(holderWindow_, nullptr);
    button_ = CreateXPCmdButton(holderWindow_, 42, "&Apply", 10, 10, 75, 23);
    ASSERT_NE(button_, nullptr);
    Pump();
  }
  void TearDown() override {
    ::DestroyWindow(holderWindow_);
    gHolder = nullptr;
  }
  int Cell() { return static_cast<int>(::SendMessageA(button_, kXpbmGetCell, 0, 0)); }
  int Clicks() {
    int n = 0;
    for (WPARAM w : holder_.commands) n += (LOWORD(w) == 42 && HIWORD(w) == BN_CLICKED) ? 1 : 0;
    return n;
  }

  Holder holder_;
  HWND holderWindow_ = nullptr;
  HWND button_ = nullptr;
};

TEST_F(ButtonTest, MouseClickGivesBnClickedAndTheLooksFollow) {
  ::SetCursorPos(310, 310);  // on the button: the hover timer keeps the hot look
  Pump();
  ::SendMessageA(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Cell(), 3);
  EXPECT_EQ(::SendMessageA(button_, kXpbmIsHoverTimerOn, 0, 0), 1);
  ::SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Cell(), 1);
  EXPECT_EQ(::GetCapture(), button_);
  ::SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Cell(), 0);
  EXPECT_EQ(Clicks(), 1);
  // The pointer placed on the button may add moves of its own before ours.
  ASSERT_GE(holder_.notifications.size(), 3u);
  const std::vector<UINT> tail(holder_.notifications.end() - 3, holder_.notifications.end());
  EXPECT_EQ(tail, (std::vector<UINT>{kXpnMouseMove, kXpnMouseDown, kXpnMouseUp}));
}

TEST_F(ButtonTest, ReleaseAwayFromTheButtonIsNoClickAndTheTimerSendsMouseOut) {
  ::SetCursorPos(700, 700);
  ::SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(button_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 5));
  EXPECT_EQ(Cell(), 1) << "pressed until the timer finds the pointer outside";
  for (int i = 0; i < 20 && Cell() == 1; ++i) {
    ::Sleep(15);
    Pump();
  }
  EXPECT_EQ(Cell(), 0);
  EXPECT_EQ(::SendMessageA(button_, kXpbmIsHoverTimerOn, 0, 0), 0);
  ::SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(300, 5));
  EXPECT_EQ(Clicks(), 0);
  bool mouseOut = false;
  for (UINT code : holder_.notifications) mouseOut |= code == kXpnMouseOut;
  EXPECT_TRUE(mouseOut);
}

TEST_F(ButtonTest, KeyboardAndDialogManager) {
  EXPECT_EQ(::SendMessageA(button_, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, DLGC_BUTTON);
  ::SetForegroundWindow(holderWindow_);
  ::SetFocus(button_);
  MSG space{button_, WM_KEYDOWN, VK_SPACE, 0x00390001, 0, {}};
  if (!::IsDialogMessageA(holderWindow_, &space)) ::DispatchMessageA(&space);
  MSG spaceUp{button_, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u), 0, {}};
  if (!::IsDialogMessageA(holderWindow_, &spaceUp)) ::DispatchMessageA(&spaceUp);
  EXPECT_EQ(Clicks(), 1) << "Space";
  MSG access{holderWindow_, WM_SYSCHAR, 'a', 0x20000000, 0, {}};
  EXPECT_TRUE(::IsDialogMessageA(holderWindow_, &access));
  EXPECT_EQ(Clicks(), 2) << "Alt+A, the access key";
  MSG enter{button_, WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
  if (!::IsDialogMessageA(holderWindow_, &enter)) ::DispatchMessageA(&enter);
  EXPECT_EQ(Clicks(), 3) << "Enter on the focused button";
  ::SendMessageA(button_, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks(), 4);
}

TEST_F(ButtonTest, DisabledLookAndNoClicks) {
  ::EnableWindow(button_, FALSE);
  EXPECT_EQ(Cell(), 2);
  EXPECT_EQ(Pixel(button_, 37, 5), RGB(0xF5, 0xF4, 0xEA));
  ::SendMessageA(button_, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks(), 0);
  ::EnableWindow(button_, TRUE);
  EXPECT_EQ(Cell(), 0);
}

TEST_F(ButtonTest, PixelsOfTheCellsAndCornersAtSeveralSizes) {
  ::SendMessageA(button_, kXpbmSetState, 1, 0);
  EXPECT_EQ(Cell(), 4);
  EXPECT_EQ(Pixel(button_, 3, 1), RGB(0xCE, 0xE7, 0xFF)) << "blue top rim";
  ::SendMessageA(button_, kXpbmSetState, 0, 0);
  for (SIZE size : {SIZE{75, 23}, SIZE{120, 40}, SIZE{18, 21}, SIZE{200, 9}}) {
    ::MoveWindow(button_, 10, 10, size.cx, size.cy, TRUE);
    const int r = size.cx - 1;
    const int b = size.cy - 1;
    EXPECT_EQ(Pixel(button_, 0, 0), RGB(0xDD, 0xD7, 0xC5)) << size.cx << "x" << size.cy;
    EXPECT_EQ(Pixel(button_, r, 0), RGB(0xDD, 0xD7, 0xC5)) << size.cx;
    EXPECT_EQ(Pixel(button_, r, b), RGB(0xDD, 0xD7, 0xC5)) << size.cx;
    EXPECT_EQ(Pixel(button_, 0, b), RGB(0xDD, 0xD7, 0xC5)) << size.cx;
    EXPECT_EQ(Pixel(button_, 1, 1), RGB(0x22, 0x55, 0x83)) << size.cx;
    EXPECT_EQ(Pixel(button_, r - 1, b - 1), RGB(0x22, 0x55, 0x83)) << size.cx;
    EXPECT_EQ(Pixel(button_, 2, 0), RGB(0x00, 0x3C, 0x74)) << "frame beside the corner, " << size.cx;
  }
}

// The client area's pixels, read once (GetPixel per pixel is slow under Wine).
struct Capture {
  Capture(HWND window, int width, int height) : width_(width), pixels_(static_cast<std::size_t>(width) * height) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = ::GetDC(window);
    HDC memory = ::CreateCompatibleDC(dc);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels_.size(); ++i)
      pixels_[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, dc);
  }
  COLORREF At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  int width_;
  std::vector<COLORREF> pixels_;
};

// The caption's ink: the bounding box of the pixels that are not the cell's own.
RECT InkBox(HWND button, int width, int height) {
  const Capture shot(button, width, height);
  RECT box{width, height, -1, -1};
  for (int y = 3; y < height - 3; ++y)
    for (int x = 3; x < width - 3; ++x) {
      const COLORREF c = shot.At(x, y);
      if (GetRValue(c) < 0x90) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
    }
  return box;
}

TEST_F(ButtonTest, CaptionCentredAfterCaptionAndFontChanges) {
  ::MoveWindow(button_, 10, 10, 150, 40, TRUE);
  for (const char* caption : {"OK", "&System Info..."}) {
    ::SetWindowTextA(button_, caption);
    const RECT ink = InkBox(button_, 150, 40);
    ASSERT_GE(ink.right, ink.left) << caption;
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 75, 3) << caption;
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20, 4) << caption;
  }
  HFONT big = ::CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  ::SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
  const RECT ink = InkBox(button_, 150, 40);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 75, 3);
  EXPECT_GT(ink.bottom - ink.top, 14) << "the new font is used";
  ::SendMessageA(button_, WM_SETFONT, 0, FALSE);
  ::DeleteObject(big);
}

TEST_F(ButtonTest, DisabledCaptionIsGrey) {
  ::MoveWindow(button_, 10, 10, 150, 40, TRUE);
  ::SetWindowTextA(button_, "WWWW");
  ::EnableWindow(button_, FALSE);
  const Capture shot(button_, 150, 40);
  bool grey = false;
  bool black = false;
  for (int y = 10; y < 30; ++y)
    for (int x = 40; x < 110; ++x) {
      grey |= shot.At(x, y) == RGB(161, 161, 146);
      black |= shot.At(x, y) == RGB(0, 0, 0);
    }
  EXPECT_TRUE(grey);
  EXPECT_FALSE(black);
}

struct AboutFixture : public ::testing::Test {
  shared::win32::Win32Registry registry;
  shared::win32::Win32FileSystem files;
  fakes::FakeShell shell;
  fakes::FakePrompt prompt;
};

std::string ItemText(HWND window, int id) {
  char text[512] = {};
  ::GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

TEST_F(AboutFixture, BootwardenAboutShowsItsDesignTextsAndSysInfoRunsTheRegisteredTool) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, shared::kMsinfoKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
            ERROR_SUCCESS);
  const char path[] = "C:\\tools\\msinfo32.exe";
  ::RegSetValueExA(key, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);  // with its NUL
  ::RegCloseKey(key);
  shell.AddProgram(path);
  HWND about = frmAbout::Show(shared::BootwardenAbout(), {registry, files, shell, prompt, nullptr, {}}, nullptr);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(frmAbout::Show(shared::BootwardenAbout(), {registry, files, shell, prompt, nullptr, {}}, nullptr), about)
      << "one about box at a time";
  char caption[64] = {};
  ::GetWindowTextA(about, caption, sizeof caption);
  EXPECT_STREQ(caption, "About Bootwarden");
  EXPECT_EQ(ItemText(about, kAboutVersionId), "Version 1.0");
  EXPECT_EQ(ItemText(about, kAboutSysInfoId), "&System Info...");
  EXPECT_EQ(::GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_LAYOUTRTL, 0);
  RECT client{};
  ::GetClientRect(about, &client);
  const int dpi = WindowDpi(about);
  EXPECT_EQ(client.right, shared::TwipsToPixels(5730, dpi));
  ::SendMessageA(::GetDlgItem(about, kAboutSysInfoId), BM_CLICK, 0, 0);
  ASSERT_EQ(shell.CommandLines().size(), 1u);
  EXPECT_EQ(shell.CommandLines()[0], path) << "the stored NUL is not part of the path";
  EXPECT_TRUE(prompt.Asked().empty());
  ::SendMessageA(::GetDlgItem(about, kAboutOkId), BM_CLICK, 0, 0);
  EXPECT_FALSE(::IsWindow(about));
  EXPECT_EQ(frmAbout::Current(), nullptr);
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, shared::kMsinfoKey);
}

TEST_F(AboutFixture, MissingToolShowsTheMessageAndEscapeCloses) {
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, shared::kMsinfoKey);
  HWND about = frmAbout::Show(shared::PlugwardenAbout(),
                              {registry, files, shell, prompt, nullptr, [] { return std::string("none here"); }}, nullptr);
  ASSERT_NE(about, nullptr);
  ::SendMessageA(::GetDlgItem(about, kAboutSysInfoId), BM_CLICK, 0, 0);
  ASSERT_EQ(prompt.Asked().size(), 1u);
  EXPECT_EQ(prompt.Asked()[0].text, "none here");
  EXPECT_EQ(prompt.Asked()[0].title, "Plugwarden");
  ::SetForegroundWindow(about);
  MSG escape{::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
  if (escape.hwnd == nullptr) escape.hwnd = about;
  EXPECT_TRUE(TranslateSharedWindowMessage(escape));
  EXPECT_FALSE(::IsWindow(about));
}

TEST(GetKeyValueWin32, RealRegistryStringsWithAndWithoutNul) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\WardenTest", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(key, "WithNul", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 4);
  ::RegSetValueExA(key, "Without", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
  const DWORD number = 0x2A;
  ::RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  ::RegCloseKey(key);
  shared::win32::Win32Registry registry;
  std::string v;
  EXPECT_TRUE(shared::GetKeyValue(registry, shared::kHkeyLocalMachine, "SOFTWARE\\WardenTest", "WithNul", v));
  EXPECT_EQ(v, "abc");
  EXPECT_TRUE(shared::GetKeyValue(registry, shared::kHkeyLocalMachine, "SOFTWARE\\WardenTest", "Without", v));
  EXPECT_EQ(v, "abc");
  EXPECT_TRUE(shared::GetKeyValue(registry, shared::kHkeyLocalMachine, "SOFTWARE\\WardenTest", "Number", v));
  EXPECT_EQ(v, "&h2A");
  EXPECT_FALSE(shared::GetKeyValue(registry, shared::kHkeyLocalMachine, "SOFTWARE\\WardenTest", "None", v));
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\WardenTest");
}

// Runs the message loop until WM_QUIT or the time is up; true when WM_QUIT came.
bool RunUntilQuit(DWORD milliseconds) {
  const DWORD end = ::GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return true;
      ::DispatchMessageA(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return false;
}

TEST(SplashWin32, HandsOverAfterTheTimerAndCloses) {
  HWND main = nullptr;
  DWORD loadedAfter = 0;
  const DWORD start = ::GetTickCount();
  HWND splash = frmSplash::Show(shared::PlugwardenSplash(), [&] {
    loadedAfter = ::GetTickCount() - start;
    main = ::CreateWindowA("STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    return main;
  });
  ASSERT_NE(splash, nullptr);
  EXPECT_FALSE(RunUntilQuit(2500)) << "a hand-over does not end the program";
  ASSERT_NE(main, nullptr);
  EXPECT_GE(loadedAfter, 1400u);
  EXPECT_FALSE(::IsWindow(splash));
  ::DestroyWindow(main);
}

// In the programs' own loop, whose dialog manager would take Escape, Enter and the arrows for
// itself: every key ends the program before any main window.
TEST(SplashWin32, AnyKeyEndsTheProgramInTheProgramsLoop) {
  for (const WPARAM key : {WPARAM{VK_ESCAPE}, WPARAM{VK_RETURN}, WPARAM{VK_DOWN}, WPARAM{'X'}}) {
    bool loaded = false;
    HWND splash = frmSplash::Show(shared::BootwardenSplash(), [&] {
      loaded = true;
      return static_cast<HWND>(nullptr);
    });
    ASSERT_NE(splash, nullptr);
    ASSERT_EQ(::GetActiveWindow(), splash) << "the key goes to the active window";
    ::PostMessageA(splash, WM_KEYDOWN, key, 1);
    RunMessageLoop();  // until the splash ends the program
    EXPECT_FALSE(loaded) << "key " << key << " let the main window load";
    EXPECT_FALSE(::IsWindow(splash));
  }
}

TEST(SplashWin32, FrameClickEndsButLabelClickDoesNot) {
  HWND splash = frmSplash::Show(shared::PlugwardenSplash(), [] { return static_cast<HWND>(nullptr); });
  ASSERT_NE(splash, nullptr);
  const int dpi = WindowDpi(splash);
  // On the product name, or on the border around the frame: nothing.
  const int nameX = shared::TwipsToPixels(150 + 2280 + 600, dpi);
  const int nameY = shared::TwipsToPixels(60 + 720 + 300, dpi);
  ::SendMessageA(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(nameX, nameY));
  ::SendMessageA(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_TRUE(::IsWindow(splash));
  ::SendMessageA(splash, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 200));
  EXPECT_FALSE(::IsWindow(splash));
  EXPECT_TRUE(RunUntilQuit(200));
}

}  // namespace
