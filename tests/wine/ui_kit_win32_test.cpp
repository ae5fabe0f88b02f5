// The window kit in process under Wine and Xvfb: a real window with the kit's controls, driven by
// the messages a user's clicks and keys produce, read back through the controls themselves.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "shared/win32/language_combo.h"
#include "shared/win32/list_view.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/window_kit.h"
#include "tests/wine/test_paths.h"
#include "tests/wine/ui_driver.h"

namespace {

using namespace shared::win32;
using shared::TwipsRect;
using shared::TwipsToPixels;
using testing_support::Pump;
using testing_support::RectInParent;
using testing_support::ScreenRect;

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
        if (auto e = list.Decode(reinterpret_cast<NMHDR*>(lParam))) events.push_back(*e);
        return 0;
      case WM_COMMAND:
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

shared::ListModel ThreeRows() {
  shared::ListModel model;
  for (const char* name : {"One", "Two", "Three"}) {
    const int row = model.Add(name);
    model.SetText(row, 1, "Enabled");
    model.SetText(row, 5, std::string("{id-") + name + "}");
  }
  return model;
}

TEST_F(KitTest, WindowMenuAndListViewLooksRowsAndSelection) {
  RECT client{};
  ::GetClientRect(Main(), &client);
  EXPECT_EQ(client.right, Px(11805));
  EXPECT_EQ(client.bottom, Px(4905)) << "the menu bar is not taken from the client area";
  EXPECT_EQ(::GetWindowLongA(Main(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);

  EXPECT_EQ(MenuCaption(Main(), kFileMenu), "&File");
  EXPECT_TRUE(SetMenuCaption(Main(), kFileMenu, "&Datei"));
  EXPECT_TRUE(SetMenuCaption(Main(), kAbout, "&Info"));
  EXPECT_FALSE(SetMenuCaption(Main(), 999, "x"));
  EXPECT_EQ(MenuCaption(Main(), kFileMenu), "&Datei");
  EXPECT_EQ(MenuCaption(Main(), kAbout), "&Info");
  EXPECT_EQ(MenuCaption(Main(), kExit), "E&xit");

  HWND list = window_.list.Handle();
  const LONG style = ::GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SORTASCENDING),
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
  EXPECT_EQ(ListView_GetExtendedListViewStyle(list) & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
            DWORD{LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES});
  EXPECT_EQ(::SendMessageA(list, LVM_GETCOLUMNWIDTH, 6, 0), Px(776));

  shared::ListModel model = ThreeRows();
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

// Dark (text) pixels in the combo's field, left of its button.
int InkInField(HWND comboEx) {
  const testing_support::Capture shot(reinterpret_cast<HWND>(::SendMessageA(comboEx, CBEM_GETCOMBOCONTROL, 0, 0)));
  int ink = 0;
  for (int y = 3; y < shot.Height() - 3; ++y)
    for (int x = 2; x < shot.Width() - ::GetSystemMetrics(SM_CXVSCROLL) - 2; ++x) ink += GetRValue(shot.At(x, y)) < 0x60;
  return ink;
}

TEST_F(KitTest, LanguageComboListsThePacksWithFlagsAndTellsTheChoice) {
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
}

TEST_F(KitTest, AFlagThatCannotBeLoadedStopsTheFillingAndIsReported) {
  const std::string folder = testing_support::ScratchFolder("kit-flags");
  const std::string lang = testing_support::ExecutableFolder() + "\\Lang";
  ASSERT_TRUE(::CopyFileA((lang + "\\English.bmp").c_str(), (folder + "\\A.bmp").c_str(), FALSE));
  std::ofstream(folder + "\\B.bmp") << "not a picture";
  std::ofstream(folder + "\\A.ini") << "";
  std::ofstream(folder + "\\B.ini") << "";
  Win32FileSystem files;
  shared::LanguageList list = shared::FillLanguageList(files, folder, "A.ini").value();
  ASSERT_EQ(list.pictureFiles.size(), 2u);
  const shared::Status status = window_.combo.Fill(list, folder);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find("B.bmp cannot be loaded"), std::string::npos) << status.message();
  EXPECT_EQ(window_.combo.Count(), 0);
  EXPECT_EQ(window_.combo.PictureCount(), 1);
  EXPECT_FALSE(list.LanguagePackFound);
}

TEST_F(KitTest, AChangeOfDpiTakesTheSuggestedRectAndLaysOutFromTheTwips) {
  const HFONT before = reinterpret_cast<HFONT>(::SendMessageA(window_.label, WM_GETFONT, 0, 0));
  const RECT labelBefore = ScreenRect(window_.label);
  RECT suggested{50, 40, 50 + 1000, 40 + 600};
  ::SendMessageA(Main(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(window_.Dpi(), 144);
  EXPECT_EQ(ScreenRect(Main()).left, 50);
  EXPECT_EQ(ScreenRect(Main()).right - ScreenRect(Main()).left, 1000);
  const shared::PixelRect edit = shared::ToPixels({240, 240, 2000, 300}, 144);
  const RECT now = RectInParent(window_.edit);
  EXPECT_EQ(now.left, edit.left);
  EXPECT_EQ(now.top, edit.top);
  EXPECT_EQ(now.right - now.left, edit.width);
  EXPECT_EQ(now.bottom - now.top, edit.height);
  EXPECT_EQ(RectInParent(window_.list.Handle()).left, TwipsToPixels(120, 144));
  // The label's font is made anew at 144 DPI, and the label sized to its text grows with it.
  const HFONT after = reinterpret_cast<HFONT>(::SendMessageA(window_.label, WM_GETFONT, 0, 0));
  ASSERT_NE(after, nullptr);
  EXPECT_NE(after, before);
  LOGFONTA font{};
  ::GetObjectA(after, sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -shared::PointsToPixels(8.25, 144));
  EXPECT_GT(ScreenRect(window_.label).right - ScreenRect(window_.label).left, labelBefore.right - labelBefore.left);
  EXPECT_EQ(RectInParent(window_.label).left, TwipsToPixels(8040, 144));
}

TEST_F(KitTest, AnExceptionInAWindowProcedureIsLoggedAndTheWindowLivesOn) {
  std::vector<std::string> log;
  SetWindowErrorSink([&log](const std::string& record) { log.push_back(record); });
  EXPECT_EQ(::SendMessageA(Main(), kThrowMessage, 0, 0), 0) << "the default procedure's answer";
  SetWindowErrorSink(nullptr);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_NE(log[0].find("no room"), std::string::npos) << log[0];
  EXPECT_TRUE(::IsWindow(Main()));
  EXPECT_EQ(window_.list.Count(), 0) << "still answering";
}

TEST(SingleInstanceWin32, TheSecondSeesTheFirstUntilItEnds) {
  const std::string name = "Local\\WardenKitTest.SingleInstance";
  {
    SingleInstance first(name);
    EXPECT_FALSE(first.AnotherIsRunning());
    SingleInstance second(name);
    EXPECT_TRUE(second.AnotherIsRunning());
  }
  SingleInstance later(name);
  EXPECT_FALSE(later.AnotherIsRunning());
}

}  // namespace
