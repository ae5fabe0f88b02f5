// The shared windows and the window kit in process under Wine and Xvfb: real messages to real
// controls, then their pixels, places, captions and what their holder receives.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "shared/about_box.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/frm_splash.h"
#include "shared/win32/gdi_objects.h"
#include "shared/win32/language_combo.h"
#include "shared/win32/list_view.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"
#include "tests/fakes/fake_prompt.h"
#include "tests/fakes/fake_shell.h"
#include "tests/common/registry_seed.h"
#include "tests/wine/test_paths.h"
#include "tests/wine/ui_driver.h"

namespace {

using namespace shared::win32;
using shared::TwipsToPixels;
using testing_support::Capture;
using testing_support::Pump;
using testing_support::RectInParent;
using testing_support::RunUntilQuit;
using testing_support::ScreenRect;
using testing_support::WindowText;

constexpr UINT kThrowMessage = WM_APP + 7;
constexpr int kList = 101, kCombo = 102, kLabel = 103, kEdit = 104, kFileMenu = 200, kExit = 201, kHelpMenu = 210,
              kAbout = 211;

class KitWindow : public WindowBase<KitWindow> {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        list.Create(Window(), kList, {120, 720, 11415, 3135}, Dpi(),
                    {{"Name", 1540}, {"Status", 1039}, {"Information", 2539}, {"Version", 1039}, {"Path", 2540},
                     {"Identifier", 2050}, {"", 776}});
        combo.Create(Window(), kCombo, {9720, 4080, 1935, 330}, Dpi(), "Change Interface Language");
        label = CreateLabel(Window(), kLabel, "Select Language", {8040, 4080, 1365, 210}, Dpi(),
                            {{"Arial", 8.25, true}, RGB(0, 0, 255), std::nullopt, true}, Looks());
        edit = CreateControl(Window(), "EDIT", kEdit, "abc", WS_BORDER | WS_TABSTOP, 0, {240, 240, 2000, 300}, Dpi());
        return 0;
      case WM_NOTIFY:
        notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        if (auto answer = list.Answer(reinterpret_cast<NMHDR*>(lParam))) return *answer;
        if (auto e = list.Decode(reinterpret_cast<NMHDR*>(lParam))) events.push_back(*e);
        return 0;
      case WM_COMMAND:
        commands.push_back(wParam);
        if (auto text = combo.ChosenText(wParam, lParam)) chosen.push_back(*text);
        return 0;
      case kThrowMessage:
        throw std::runtime_error("no room");
      default:
        return DefaultProc(message, wParam, lParam);
    }
  }

  ReportListView list;
  LanguageCombo combo;
  HWND label = nullptr;
  HWND edit = nullptr;
  std::vector<ReportListView::Event> events;
  std::vector<std::string> chosen;
  std::vector<WPARAM> commands;  // what the XP button below the list tells its holder
  std::vector<UINT> notifications;
};

class KitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(window_.Create({.className = "WardenKitTest",
                              .caption = " Kit",
                              .client = {0, 0, 11805, 4905},
                              .menu = CreateMenuBar({{kFileMenu, "&File", {{kExit, "E&xit"}}},
                                                     {kHelpMenu, "&Help", {{kAbout, "&About"}, {0, ""}}}})}),
              nullptr);
    ::ShowWindow(window_.Window(), SW_SHOW);
    Pump();
  }
  HWND Main() const { return window_.Window(); }
  int Px(int twips) const { return TwipsToPixels(twips, window_.Dpi()); }

  KitWindow window_;
};

// An XP button in the free space below the list.
class ButtonTest : public KitTest {
 protected:
  void SetUp() override {
    KitTest::SetUp();
    button_ = CreateXPCmdButton(Main(), 42, "&Apply", 10, Px(3900), 75, 23);
    ASSERT_NE(button_, nullptr);
    Pump();
  }
  void Place(int width, int height) { ::MoveWindow(button_, 10, Px(3900), width, height, TRUE); }
  int Cell() { return static_cast<int>(::SendMessageA(button_, kXpbmGetCell, 0, 0)); }
  int Clicks() {
    int n = 0;
    for (WPARAM w : window_.commands) n += (LOWORD(w) == 42 && HIWORD(w) == BN_CLICKED) ? 1 : 0;
    return n;
  }

  HWND button_ = nullptr;
};

TEST_F(ButtonTest, AClickGivesBnClickedAReleaseAwayDoesNotAndTheTimerSendsMouseOut) {
  const RECT onScreen = testing_support::ScreenRect(button_);
  ::SetCursorPos(onScreen.left + 5, onScreen.top + 5);  // on the button: the hover timer keeps the hot look
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
  ASSERT_GE(window_.notifications.size(), 3u);
  const std::vector<UINT> tail(window_.notifications.end() - 3, window_.notifications.end());
  EXPECT_EQ(tail, (std::vector<UINT>{kXpnMouseMove, kXpnMouseDown, kXpnMouseUp}));

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
  EXPECT_EQ(Clicks(), 1) << "released away: no second click";
  EXPECT_NE(std::find(window_.notifications.begin(), window_.notifications.end(), kXpnMouseOut),
            window_.notifications.end());
}

// The ink of a caption or a field's text: the bounding box of the pixels darker than the
// background, inside a margin (and left of a drop-down button).
RECT InkBox(HWND window, int dark = 0x90, int rightMargin = 3) {
  const Capture shot(window);
  RECT box{shot.Width(), shot.Height(), -1, -1};
  for (int y = 3; y < shot.Height() - 3; ++y)
    for (int x = 3; x < shot.Width() - rightMargin; ++x)
      if (GetRValue(shot.At(x, y)) < dark) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
  return box;
}

TEST_F(ButtonTest, KeyboardDialogManagerTheDisabledLookAndTheCaptionCentred) {
  EXPECT_EQ(::SendMessageA(button_, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, DLGC_BUTTON);
  ::SetForegroundWindow(Main());
  ::SetFocus(button_);
  const auto key = [this](HWND target, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{target, message, wParam, lParam, 0, {}};
    if (!::IsDialogMessageA(Main(), &msg)) ::DispatchMessageA(&msg);
  };
  key(button_, WM_KEYDOWN, VK_SPACE, 0x00390001);
  key(button_, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
  EXPECT_EQ(Clicks(), 1) << "Space";
  key(Main(), WM_SYSCHAR, 'a', 0x20000000);
  EXPECT_EQ(Clicks(), 2) << "Alt+A, the access key";
  key(button_, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  EXPECT_EQ(Clicks(), 3) << "Enter on the focused button";
  ::SendMessageA(button_, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks(), 4);

  // Disabled: the grey caption and no clicks.
  Place(150, 40);
  ::SetWindowTextA(button_, "WWWW");
  ::EnableWindow(button_, FALSE);
  EXPECT_EQ(Cell(), 2);
  const Capture shot(button_);
  bool grey = false, black = false;
  for (int y = 10; y < 30; ++y)
    for (int x = 40; x < 110; ++x) {
      grey |= shot.At(x, y) == RGB(161, 161, 146);
      black |= shot.At(x, y) == RGB(0, 0, 0);
    }
  EXPECT_TRUE(grey);
  EXPECT_FALSE(black);
  ::SendMessageA(button_, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks(), 4);
  ::EnableWindow(button_, TRUE);
  EXPECT_EQ(Cell(), 0);

  // Enabled again, the caption is centred after caption and font changes.
  for (const char* caption : {"OK", "&System Info..."}) {
    ::SetWindowTextA(button_, caption);
    const RECT ink = InkBox(button_);
    ASSERT_GE(ink.right, ink.left) << caption;
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 75, 3) << caption;
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 20, 4) << caption;
  }
  UniqueFont big(::CreateFontA(-24, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
  ::SendMessageA(button_, WM_SETFONT, reinterpret_cast<WPARAM>(big.get()), TRUE);
  const RECT ink = InkBox(button_);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 75, 3);
  EXPECT_GT(ink.bottom - ink.top, 14) << "the new font is used";
  ::SendMessageA(button_, WM_SETFONT, 0, FALSE);
}

// Each look paints its own cell of the skin strip (drawn by tools/make_skin_strip.py and built
// into the resources): at the strip's own size, row 19 of the centre column tells them apart.
TEST_F(ButtonTest, EveryLookPaintsItsSkinCellAndTheCornersStayAtAnySize) {
  ::SetWindowTextA(button_, "");
  Place(18, 21);
  const std::pair<int, COLORREF> looks[] = {{0, RGB(0xD6, 0xD0, 0xC5)}, {4, RGB(0x69, 0x82, 0xEE)},
                                            {2, RGB(0xF5, 0xF4, 0xEA)}, {3, RGB(0xE5, 0x97, 0x00)},
                                            {1, RGB(0xF2, 0xF1, 0xEE)}};
  for (const auto& [cell, row19] : looks) {
    switch (cell) {
      case 4: ::SendMessageA(button_, kXpbmSetState, 1, 0); break;
      case 2: ::SendMessageA(button_, kXpbmSetState, 0, 0), ::EnableWindow(button_, FALSE); break;
      case 3: ::EnableWindow(button_, TRUE), ::SendMessageA(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); break;
      case 1: ::SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); break;
      default: break;
    }
    ASSERT_EQ(Cell(), cell);
    EXPECT_EQ(Capture(button_).At(9, 19), row19) << "cell " << cell;
  }
  ::SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  for (SIZE size : {SIZE{75, 23}, SIZE{120, 40}, SIZE{200, 9}}) {
    Place(size.cx, size.cy);
    const Capture shot(button_);
    const int r = size.cx - 1, b = size.cy - 1;
    for (POINT corner : {POINT{0, 0}, POINT{r, 0}, POINT{r, b}, POINT{0, b}})
      EXPECT_EQ(shot.At(corner.x, corner.y), RGB(0xDD, 0xD7, 0xC5)) << size.cx << "x" << size.cy;
    EXPECT_EQ(shot.At(1, 1), RGB(0x22, 0x55, 0x83)) << size.cx;
    EXPECT_EQ(shot.At(r - 1, b - 1), RGB(0x22, 0x55, 0x83)) << size.cx;
    EXPECT_EQ(shot.At(2, 0), RGB(0x00, 0x3C, 0x74)) << "frame beside the corner, " << size.cx;
  }
}

TEST(AboutWin32, ShowsItsTextsRunsTheRegisteredToolOrSaysThereIsNoneAndCloses) {
  Win32Registry registry;
  Win32FileSystem files;
  fakes::FakeShell shell;
  fakes::FakePrompt prompt;
  const char path[] = "C:\\tools\\msinfo32.exe";
  testing_support::SeedString(registry, shared::kHkeyLocalMachine, shared::kMsinfoKey, "PATH", path);
  shell.AddProgram(path);
  const AboutServices services{registry, files, shell, prompt, nullptr, [] { return std::string("none here"); }};
  HWND about = frmAbout::Show(shared::BootwardenAbout(), services, nullptr);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(frmAbout::Show(shared::BootwardenAbout(), services, nullptr), about) << "one about box at a time";
  EXPECT_EQ(WindowText(about), "About Bootwarden");
  EXPECT_EQ(WindowText(::GetDlgItem(about, kAboutVersionId)), "Version 1.0");
  EXPECT_EQ(WindowText(::GetDlgItem(about, kAboutSysInfoId)), "&System Info...");
  EXPECT_FALSE(IsRightToLeftLayout(about));
  ::SendMessageA(::GetDlgItem(about, kAboutSysInfoId), BM_CLICK, 0, 0);
  ASSERT_EQ(shell.CommandLines().size(), 1u);
  EXPECT_EQ(shell.CommandLines()[0], path) << "the stored NUL is not part of the path";
  EXPECT_TRUE(prompt.Asked().empty());
  ::SendMessageA(::GetDlgItem(about, kAboutOkId), BM_CLICK, 0, 0);
  EXPECT_FALSE(::IsWindow(about));
  EXPECT_EQ(frmAbout::Current(), nullptr);

  testing_support::DeleteTree(registry, shared::kHkeyLocalMachine, shared::kMsinfoKey);
  about = frmAbout::Show(shared::PlugwardenAbout(), services, nullptr);
  ASSERT_NE(about, nullptr);
  ::SendMessageA(::GetDlgItem(about, kAboutSysInfoId), BM_CLICK, 0, 0);
  ASSERT_EQ(prompt.Asked().size(), 1u);
  EXPECT_EQ(prompt.Asked()[0].text, "none here");
  EXPECT_EQ(prompt.Asked()[0].title, "Plugwarden");
  ::SetForegroundWindow(about);
  MSG escape{::GetFocus() != nullptr ? ::GetFocus() : about, WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
  EXPECT_TRUE(TranslateSharedWindowMessage(escape));
  EXPECT_FALSE(::IsWindow(about));
}

// In the programs' own loop, whose dialog manager would take Escape, Enter and the arrows for
// itself: every key ends the program before any main window.
TEST(SplashWin32, AnyKeyOrAFrameClickEndsTheProgramALabelClickDoesNotTheTimerHandsOver) {
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

  HWND main = nullptr;
  DWORD loadedAfter = 0;
  const DWORD start = ::GetTickCount();
  splash = frmSplash::Show(shared::PlugwardenSplash(), [&] {
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

TEST_F(KitTest, WindowMenuAndListViewLooksRowsAndSelection) {
  RECT client{};
  ::GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, Px(11805));
  EXPECT_EQ(client.bottom, Px(4905)) << "the menu bar is not taken from the client area";
  EXPECT_EQ(::GetWindowLongA(Main(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);

  EXPECT_EQ(MenuCaption(Main(), kFileMenu), "&File");
  EXPECT_TRUE(SetMenuCaption(Main(), kFileMenu, "&Datei") && SetMenuCaption(Main(), kAbout, "&Info"));
  EXPECT_FALSE(SetMenuCaption(Main(), 999, "x"));
  EXPECT_EQ(MenuCaption(Main(), kFileMenu) + MenuCaption(Main(), kAbout) + MenuCaption(Main(), kExit),
            "&Datei&InfoE&xit");

  HWND list = window_.list.Handle();
  const LONG style = ::GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SORTASCENDING),
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
  EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
            DWORD{LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES});
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 6, 0), Px(776));

  shared::ListModel model;
  for (const char* name : {"One", "Two", "Three"}) model.SetText(model.Add(name), 5, std::string("{id-") + name + "}");
  model.Select(2);
  window_.list.Show(model);
  EXPECT_EQ(window_.list.Count(), 3);
  EXPECT_EQ(window_.list.Text(3, 0), "Three");
  EXPECT_EQ(window_.list.Text(2, 5), "{id-Two}");
  EXPECT_EQ(window_.list.Text(2, 6), "") << "the seventh column stays empty";
  EXPECT_EQ(window_.list.Selected(), 2);
  model.SetText(2, 1, "Disabled");
  model.Add("Four");
  window_.list.ShowRow(model, 2);
  window_.list.ShowRow(model, 4);
  EXPECT_EQ(window_.list.Text(2, 1), "Disabled");
  EXPECT_EQ(window_.list.Text(4, 0), "Four");
  window_.list.SetHeader(2, "Zustand");
  EXPECT_EQ(window_.list.Header(2), "Zustand");
  window_.list.Select(0);
  EXPECT_EQ(window_.list.Selected(), 0);
  window_.list.Select(4);
  EXPECT_EQ(window_.list.Selected(), 4);
  EXPECT_TRUE(window_.events.empty()) << "the wrapper's own changes are not the user's";

  // A click on row 3's last column: full-row selection selects it, and the window hears both.
  RECT row{};
  row.left = LVIR_BOUNDS;
  ::SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  const LPARAM at = MAKELPARAM(row.right - 10, (row.top + row.bottom) / 2);
  ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  Pump();
  EXPECT_EQ(window_.list.Selected(), 3);
  ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  Pump();
  for (const auto kind : {ReportListView::EventKind::SelectionChanged, ReportListView::EventKind::Click,
                          ReportListView::EventKind::DoubleClick}) {
    EXPECT_TRUE(std::any_of(window_.events.begin(), window_.events.end(),
                            [kind](const ReportListView::Event& e) { return e.kind == kind && e.position == 3; }))
        << static_cast<int>(kind);
  }

  // Letters typed on the list select the next row whose name begins with them, past the end
  // round to the top; the window hears it as the user's selection.
  window_.list.Select(3);
  window_.events.clear();
  ::SendMessageA(list, WM_CHAR, 't', 1);
  EXPECT_EQ(window_.list.Selected(), 2);
  ::SendMessageA(list, WM_CHAR, 'H', 1);
  EXPECT_EQ(window_.list.Selected(), 3);
  EXPECT_TRUE(std::any_of(window_.events.begin(), window_.events.end(), [](const ReportListView::Event& e) {
    return e.kind == ReportListView::EventKind::SelectionChanged && e.position == 3;
  }));

  // The dialog manager of the program's loop: Tab leaves the list for the next control.
  ::SetForegroundWindow(Main());
  ::SetFocus(list);
  MSG tab{list, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
  EXPECT_TRUE(TranslateProgramMessage(tab));
  EXPECT_NE(::GetFocus(), list);
}

TEST_F(KitTest, RightToLeftMirrorsControlsAndComesBackTwice) {
  RECT clientScreen{};
  ::GetClientRect(Main(), &clientScreen);
  ::MapWindowPoints(Main(), nullptr, reinterpret_cast<POINT*>(&clientScreen), 2);
  const int clientLeft = clientScreen.left;
  const int clientWidth = Px(11805);
  const std::vector<HWND> controls{window_.list.Handle(), window_.combo.Handle(), window_.label, window_.edit};
  std::vector<RECT> design;
  for (HWND c : controls) design.push_back(ScreenRect(c));
  SetLabelText(window_.label, "Sprache");
  const RECT shortLabel = ScreenRect(window_.label);
  EXPECT_EQ(shortLabel.left, design[2].left) << "grows and shrinks from its leading edge";
  EXPECT_LT(shortLabel.right, design[2].right);
  SetLabelText(window_.label, "Select Language");

  for (int round = 0; round < 2; ++round) {
    SetRightToLeft(Main(), true);
    Pump();
    EXPECT_TRUE(IsRightToLeftLayout(Main()));
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const RECT now = ScreenRect(controls[i]);
      const int width = design[i].right - design[i].left;
      EXPECT_EQ(now.right - now.left, width) << "control " << i << ", round " << round;
      EXPECT_EQ(now.left - clientLeft, clientWidth - (design[i].left - clientLeft) - width)
          << "mirrored place of control " << i << ", round " << round;
      EXPECT_EQ(now.top, design[i].top);
      EXPECT_EQ(IsRightToLeftLayout(controls[i]), controls[i] != window_.combo.Handle()) << i;
    }
    // The list's first column starts at its right edge.
    HWND header = reinterpret_cast<HWND>(::SendMessageA(window_.list.Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(IsRightToLeftLayout(header));
    RECT first{};
    ::SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    POINT start{first.left + 1, 1};
    ::ClientToScreen(header, &start);
    EXPECT_GT(start.x, ScreenRect(header).right - 10);

    SetRightToLeft(Main(), false);
    Pump();
    EXPECT_FALSE(IsRightToLeftLayout(Main()));
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const RECT now = ScreenRect(controls[i]);
      EXPECT_EQ(now.left, design[i].left) << "back at its design place: control " << i << ", round " << round;
      EXPECT_EQ(now.right, design[i].right) << i;
      EXPECT_FALSE(IsRightToLeftLayout(controls[i])) << i;
    }
  }
}

// The width of the text drawn in the combo's field.
LONG InkInField(HWND comboEx) {
  const RECT ink = InkBox(reinterpret_cast<HWND>(::SendMessageA(comboEx, CBEM_GETCOMBOCONTROL, 0, 0)), 0x60,
                          ::GetSystemMetrics(SM_CXVSCROLL) + 2);
  return ink.right - ink.left;
}

TEST_F(KitTest, LanguageComboListsThePacksWithFlagsTellsTheChoiceAndReportsABadFlag) {
  const std::string lang = testing_support::ExecutableFolder() + "\\Lang";
  Win32FileSystem files;
  EXPECT_EQ(window_.combo.FieldText(), "Change Interface Language") << "nothing selected yet";
  EXPECT_GT(InkInField(window_.combo.Handle()), 20) << "the design text is drawn";

  shared::Result<shared::LanguageList> listed = shared::FillLanguageList(files, lang, "German.ini");
  ASSERT_TRUE(listed.ok());
  shared::LanguageList list = listed.value();
  ASSERT_EQ(list.items.size(), 5u) << "the packs of the build tree";
  ASSERT_TRUE(window_.combo.Fill(list, lang).ok());
  EXPECT_EQ(window_.combo.Count(), 5);
  EXPECT_EQ(window_.combo.PictureCount(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(window_.combo.ItemText(i), list.items[i].text);
    EXPECT_EQ(window_.combo.ItemPicture(i), i + 1);
    // Pictures pair with packs by position: right as long as the real listing orders both alike.
    EXPECT_EQ(list.pictureFiles[i], list.items[i].text + ".bmp");
  }
  EXPECT_EQ(window_.combo.ItemText(window_.combo.SelectedIndex()), "German");
  EXPECT_EQ(window_.combo.FieldText(), "German");

  // The user steps to the next language with the keyboard: the window hears its text.
  const int next = (window_.combo.SelectedIndex() + 1) % 5;
  ::SetFocus(window_.combo.Handle());
  HWND inner = reinterpret_cast<HWND>(::SendMessageA(window_.combo.Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
  ::SendMessageA(inner, WM_KEYDOWN, next == 0 ? VK_HOME : VK_DOWN, 0);
  Pump();
  ASSERT_EQ(window_.chosen.size(), 1u);
  EXPECT_EQ(window_.chosen[0], list.items[next].text);

  // No current pack among them: the design text stays.
  shared::LanguageList none = shared::FillLanguageList(files, lang, "Klingon.ini").value();
  ASSERT_TRUE(window_.combo.Fill(none, lang).ok());
  EXPECT_EQ(window_.combo.SelectedIndex(), -1);
  EXPECT_EQ(window_.combo.PictureCount(), 5) << "a new fill starts a new image list";
  EXPECT_EQ(window_.combo.FieldText(), "Change Interface Language");
  EXPECT_GT(InkInField(window_.combo.Handle()), 20);

  // A flag that cannot be loaded stops the filling and is reported.
  const std::string folder = testing_support::ScratchFolder("kit-flags");
  ASSERT_TRUE(::CopyFileA((lang + "\\English.bmp").c_str(), (folder + "\\A.bmp").c_str(), FALSE));
  std::ofstream(folder + "\\B.bmp") << "not a picture";
  std::ofstream(folder + "\\A.ini") << "";
  std::ofstream(folder + "\\B.ini") << "";
  shared::LanguageList bad = shared::FillLanguageList(files, folder, "A.ini").value();
  ASSERT_EQ(bad.pictureFiles.size(), 2u);
  const shared::Status status = window_.combo.Fill(bad, folder);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("B.bmp cannot be loaded"), std::string::npos) << status.message();
  EXPECT_EQ(window_.combo.Count(), 0);
  EXPECT_EQ(window_.combo.PictureCount(), 1);
  EXPECT_FALSE(bad.LanguagePackFound);
}

// The window lives on after an exception in its procedure, and still relays out.
TEST_F(KitTest, AnExceptionIsLoggedThenADpiChangeTakesTheSuggestedRectAndLaysOutFromTheTwips) {
  std::vector<std::string> log;
  SetWindowErrorSink([&log](const std::string& record) { log.push_back(record); });
  EXPECT_EQ(::SendMessageA(Main(), kThrowMessage, 0, 0), 0) << "the default procedure's answer";
  SetWindowErrorSink(nullptr);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("no room"), std::string::npos) << log[0];

  const HFONT before = reinterpret_cast<HFONT>(::SendMessageA(window_.label, WM_GETFONT, 0, 0));
  const RECT labelBefore = ScreenRect(window_.label);
  const LRESULT lastColumn = ::SendMessageA(window_.list.Handle(), LVM_GETCOLUMNWIDTH, 6, 0);
  const int oldDpi = window_.Dpi();
  RECT suggested{50, 40, 50 + 1000, 40 + 600};
  ::SendMessageA(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window_.Dpi(), 144);
  EXPECT_EQ(ScreenRect(Main()).left, 50);
  EXPECT_EQ(ScreenRect(Main()).right - ScreenRect(Main()).left, 1000);
  const shared::PixelRect edit = shared::ToPixels({240, 240, 2000, 300}, 144);
  const RECT now = RectInParent(window_.edit);
  EXPECT_EQ((shared::PixelRect{now.left, now.top, now.right - now.left, now.bottom - now.top}), edit);
  EXPECT_EQ(::SendMessageA(window_.list.Handle(), LVM_GETCOLUMNWIDTH, 6, 0), ::MulDiv(static_cast<int>(lastColumn), 144, oldDpi));
  // The label's font is made anew at 144 DPI, and the label sized to its text grows with it.
  const HFONT after = reinterpret_cast<HFONT>(::SendMessageA(window_.label, WM_GETFONT, 0, 0));
  ASSERT_NE(after, nullptr);
  EXPECT_NE(after, before);
  EXPECT_GT(ScreenRect(window_.label).right - ScreenRect(window_.label).left, labelBefore.right - labelBefore.left);
  EXPECT_EQ(RectInParent(window_.label).left, TwipsToPixels(8040, 144));
}

}  // namespace
