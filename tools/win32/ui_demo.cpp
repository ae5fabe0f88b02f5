// Shows the shared windows for a look under Wine and Xvfb:
//   ui_demo buttons | about-pw | about-bw | splash-pw | splash-bw | kit | kit-rtl
// It ends by itself after a few seconds, so a script can take a screenshot meanwhile.
#include <windows.h>

#include <cstring>
#include <string>

#include "shared/about_box.h"
#include "shared/win32/frm_about.h"
#include "shared/win32/frm_splash.h"
#include "shared/win32/gdi_objects.h"
#include "shared/win32/language_combo.h"
#include "shared/win32/list_view.h"
#include "shared/win32/program_folder.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_prompt.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_shell.h"
#include "shared/win32/xp_cmd_button.h"

namespace {

using namespace shared::win32;

LRESULT CALLBACK DemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcA(window, message, wParam, lParam);
}

HWND ShowButtons() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DemoProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "WardenDemo";
  ::RegisterClassA(&wc);
  HWND window = ::CreateWindowA("WardenDemo", "XPCmdButton looks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 560,
                                260, nullptr, nullptr, wc.hInstance, nullptr);
  static HFONT font = CreatePointFont("Tahoma", 8.25, false, WindowDpi(window));
  const char* captions[] = {"&Normal", "&Pressed", "&Disabled", "&Hot", "&State 1"};
  HWND buttons[5];
  for (int i = 0; i < 5; ++i) {
    buttons[i] = CreateXPCmdButton(window, 100 + i, captions[i], 10 + i * 105, 20, 95, 25, i == 2 ? WS_DISABLED : 0);
    ::SendMessageA(buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  // Larger and smaller ones: the corners stay 3 x 3 whatever the size.
  HWND big = CreateXPCmdButton(window, 110, "A &big one", 10, 70, 220, 80);
  HWND tiny = CreateXPCmdButton(window, 111, "x", 250, 70, 14, 10);
  ::SendMessageA(big, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ::SendMessageA(tiny, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  ::SendMessageA(buttons[4], kXpbmSetState, 1, 0);
  // Hot: the pointer really lies on it, so the hover timer keeps the look. The move it causes is
  // delivered before the press below captures the mouse.
  RECT hot{};
  ::GetWindowRect(buttons[3], &hot);
  ::SetCursorPos((hot.left + hot.right) / 2, (hot.top + hot.bottom) / 2);
  MSG pending;
  for (int i = 0; i < 20; ++i) {
    while (::PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&pending);
    ::Sleep(10);
  }
  ::SendMessageA(buttons[3], WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  ::SendMessageA(buttons[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  return window;
}

// A small window made of the window kit: menu, label, report list, image combo, buttons.
class KitDemo : public WindowBase<KitDemo> {
 public:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE: {
        CreateLabel(Window(), 10, "Installed things", {240, 240, 5415, 255}, Dpi(), {{"Arial", 9.75, true}, CLR_INVALID, std::nullopt, false}, Looks());
        CreateLabel(Window(), 11, "Select Language", {4800, 3240, 1365, 210}, Dpi(),
                    {{"Arial", 8.25, true}, RGB(0, 0, 255), std::nullopt, true}, Looks());
        list_.Create(Window(), 12, {120, 720, 7500, 2300}, Dpi(),
                     {{"Name", 1540}, {"Status", 1039}, {"Information", 2539}, {"Version", 1039}, {"Path", 2540},
                      {"Identifier", 2050}});
        const char* rows[][3] = {{"Toolbar", "Enabled", "C:\\tools\\bar.dll"},
                                 {"Helper", "Disabled", "C:\\tools\\helper.dll"},
                                 {"Searcher", "Remove", "C:\\tools\\search.dll"}};
        for (const auto& r : rows) {
          const int n = model_.Add(r[0]);
          model_.SetText(n, 1, r[1]);
          model_.SetText(n, 4, r[2]);
        }
        model_.Select(2);
        list_.Show(model_);
        combo_.Create(Window(), 13, {6300, 3180, 1400, 330}, Dpi(), "Change Interface Language");
        const std::string lang = ProgramFolder().value_or(".") + "\\Lang";
        Win32FileSystem files;
        shared::LanguageList languages = shared::FillLanguageList(files, lang, "English.ini").value_or({});
        combo_.Fill(languages, lang).IgnoreError();
        font_.reset(CreatePointFont("MS Sans Serif", 8.25, false, Dpi()));
        const char* captions[] = {"&Disable", "&Remove", "&Apply"};
        for (int i = 0; i < 3; ++i) {
          const shared::TwipsRect r{120 + i * 1560, 3180, 1455, 375};
          const shared::PixelRect p = shared::ToPixels(r, Dpi());
          HWND b = CreateXPCmdButton(Window(), 20 + i, captions[i], p.left, p.top, p.width, p.height);
          SetDesignRect(b, r);
          ::SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
        }
        return 0;
      }
      case WM_NOTIFY:
        // The list asks for the texts it paints.
        if (auto answer = list_.Answer(reinterpret_cast<NMHDR*>(lParam))) return *answer;
        return 0;
      case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
      default:
        return DefaultProc(message, wParam, lParam);
    }
  }

 private:
  // Outlives the list, which shows it.
  shared::ListModel model_;
  ReportListView list_;
  LanguageCombo combo_;
  UniqueFont font_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const std::string what = commandLine != nullptr ? commandLine : "";
  Win32Registry registry;
  Win32FileSystem files;
  Win32Shell shell;
  Win32Prompt prompt;
  const AboutServices services{registry, files, shell, prompt, nullptr, [] { return std::string("No tool."); }};
  HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
  if (what == "buttons") {
    ShowButtons();
  } else if (what == "about-pw") {
    frmAbout::Show(shared::PlugwardenAbout(), services, icon);
  } else if (what == "about-bw") {
    frmAbout::Show(shared::BootwardenAbout(), services, icon);
  } else if (what == "splash-pw" || what == "splash-bw") {
    frmSplash::Show(what == "splash-pw" ? shared::PlugwardenSplash() : shared::BootwardenSplash(), [] {
      return ShowButtons();
    });
  } else if (what == "kit" || what == "kit-rtl") {
    InitKitControls();
    RegisterXPCmdButton();
    static KitDemo demo;
    demo.Create({.className = "WardenKitDemo",
                 .caption = " Window kit",
                 .client = {0, 0, 7740, 3720},
                 .style = kFixedSingleMinimiseStyle,
                 .menu = CreateMenuBar({{1, "&File", {{2, "E&xit"}}}, {3, "&Help", {{4, "&About"}}}}),
                 .icon = icon});
    if (what == "kit-rtl") {
      // Right to left and back and right to left again, as a language change does it.
      SetRightToLeft(demo.Window(), true);
      SetRightToLeft(demo.Window(), false);
      SetRightToLeft(demo.Window(), true);
    }
    ::ShowWindow(demo.Window(), SW_SHOW);
  } else {
    return 2;
  }
  ::SetTimer(nullptr, 0, 6000, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
    if (TranslateSharedWindowMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}
