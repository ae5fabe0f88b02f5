// Bootwarden: the splash screen, then frmMain on the real registry, win.ini, Startup folders and
// shell, until the window closes or the Windows session ends.
#include <windows.h>

#include "bootwarden/win32/frm_main.h"
#include "bootwarden/win32/resource.h"
#include "shared/language_pack.h"
#include "shared/registry_store.h"
#include "shared/splash.h"
#include "shared/win32/frm_splash.h"
#include "shared/win32/hardening.h"
#include "shared/win32/program_folder.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_dialog.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_prompt.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_session.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/win32_shell.h"
#include "shared/win32/win32_shell_folder.h"
#include "shared/win32/win32_shortcut.h"
#include "shared/win32/win32_system.h"
#include "shared/win32/win32_windows_folder.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  shared::win32::HardenDllLoading();
  namespace win32 = shared::win32;
  win32::InitKitControls();
  win32::RegisterXPCmdButton();
  const win32::SingleInstance single(bootwarden::win32::kSingleInstanceName);

  win32::Win32Registry registry;
  win32::Win32Profile profile;
  win32::Win32FileSystem files;
  win32::Win32Clock clock;
  win32::Win32Settings settings;
  win32::Win32Prompt prompt;
  win32::Win32FileDialog fileDialog;
  win32::Win32Shell shell;
  win32::Win32Session session;
  win32::Win32ShellFolder shellFolders;
  win32::Win32WindowsFolder windowsFolder;
  win32::Win32Shortcut shortcuts;
  win32::Win32System system;

  shared::LanguagePack language(profile, files, clock, win32::ProgramFolder().value_or(""));
  // A window that fails on a message leaves a record in the error log and goes on.
  win32::SetWindowErrorSink([&language](const std::string& record) { language.WriteErrorLog(record); });
  shared::RegistryStore store(registry);
  shared::RegistryComponent reg(registry);
  bootwarden::LocationNames names;
  bootwarden::StartupSources sources{store, reg, profile, files, shellFolders, windowsFolder, shortcuts, names, registry};
  bootwarden::StartupTargets targets{registry, profile, files, shellFolders, windowsFolder, shortcuts, prompt, system, language, clock};

  HICON icon = ::LoadIconA(instance, MAKEINTRESOURCEA(bootwarden::win32::kIconId));
  bootwarden::win32::frmMain main(
      bootwarden::MainWindowServices{language, settings, files, prompt, fileDialog, shell, session, sources, targets},
      {.anotherInstance = single.AnotherIsRunning(), .icon = icon});
  HWND splash = win32::frmSplash::Show(shared::BootwardenSplash(), [&]() -> HWND {
    HWND window = main.CreateAndShow();
    prompt.SetOwner(window);
    fileDialog.SetOwner(window);
    return window;
  });
  if (splash == nullptr) return 1;
  return win32::RunMessageLoop();
}
