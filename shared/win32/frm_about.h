#pragma once
// frmAbout: the about box of both programs, modeless and without owner in the task bar. Its
// behaviour (layout, captions, GetKeyValue, StartSysInfo) is shared/about_box.h.
#include <windows.h>

#include <functional>
#include <string>

#include "shared/about_box.h"
#include "shared/win32/window_kit.h"

namespace shared::win32 {

// Control IDs, for tests and for the dialog manager.
inline constexpr int kAboutOkId = IDOK;
inline constexpr int kAboutSysInfoId = 1001;
inline constexpr int kAboutTitleId = 1002;
inline constexpr int kAboutVersionId = 1003;
inline constexpr int kAboutDescriptionId = 1004;
inline constexpr int kAboutDisclaimerId = 1005;

struct AboutServices {
  RegistryPort& registry;
  FileSystemPort& files;
  ShellPort& shell;
  PromptPort& prompt;
  LanguagePack* language;  // the program's current pack; may be null
  // The text shown when no system-information tool can be started, looked up when needed.
  std::function<std::string()> unavailableText;
};

// One about box at a time; Current() and Close() as for every ModelessWindow.
class frmAbout : public ModelessWindow<frmAbout> {
 public:
  frmAbout(const AboutVariant& variant, const AboutServices& services, HICON icon)
      : variant_(variant), services_(services), icon_(icon) {}
  // Loads and shows the about box, or brings the one already open to the front. The services
  // must outlive the window. `icon` is the program's icon (not owned; nullptr for none).
  static HWND Show(const AboutVariant& variant, const AboutServices& services, HICON icon) {
    return ModelessWindow::Show(variant, services, icon);
  }

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  friend class ModelessWindow<frmAbout>;
  HWND Load();
  void CreateControls();
  void PlaceControls();
  void Paint();

  AboutVariant variant_;
  AboutServices services_;
  HICON icon_;
  AboutLayout layout_;
  AboutCaptions captions_;
};

// Gives a message to the dialog manager of whichever shared window it belongs to (Tab, access
// keys, Enter, Escape); true when it was handled and must not be dispatched.
bool TranslateSharedWindowMessage(MSG& message);

// A hidden top-level window that owns the programs' unowned windows, so they stay out of the task
// bar as designed.
HWND HiddenOwnerWindow();

}  // namespace shared::win32
