// Plugwarden: the splash, then frmMain, then the message loop. No command-line arguments.
#include <windows.h>

#include <string>

#include "plugwarden/win32/frm_main.h"
#include "shared/language_pack.h"
#include "shared/splash.h"
#include "shared/win32/frm_splash.h"
#include "shared/win32/hardening.h"
#include "shared/win32/program_folder.h"
#include "shared/win32/win32_clock.h"
#include "shared/win32/win32_file_system.h"
#include "shared/win32/win32_profile.h"
#include "shared/win32/win32_prompt.h"
#include "shared/win32/win32_registry.h"
#include "shared/win32/win32_settings.h"
#include "shared/win32/win32_shell.h"
#include "shared/win32/win32_system.h"
#include "shared/win32/win32_version.h"
#include "shared/win32/win32_windows_folder.h"
#include "shared/win32/window_kit.h"
#include "shared/win32/xp_cmd_button.h"

namespace {

// The program folder, a backslash, the executable's name and ".exe": what Windows starts at logon.
std::string ProgramPath(const std::string& folder) {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  std::string name(buffer, length);
  const std::size_t slash = name.find_last_of('\\');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return folder + "\\" + name + ".exe";
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  shared::win32::HardenDllLoading();
  shared::win32::InitKitControls();
  shared::win32::RegisterXPCmdButton();

  using namespace shared::win32;
  Win32Registry registry;
  Win32FileSystem files;
  Win32Version versions;
  Win32System system;
  Win32Prompt prompt;
  Win32Clock clock;
  Win32Profile profile;
  Win32Settings settings;
  Win32WindowsFolder windowsFolder;
  Win32Shell shell;
  const std::string folder = ProgramFolder().value_or(std::string());
  shared::LanguagePack language(profile, files, clock, folder);
  // A window that fails on a message leaves a record in the error log and goes on.
  SetWindowErrorSink([&language](const std::string& record) { language.WriteErrorLog(record); });

  plugwarden::win32::MainWindowOptions options;
  options.icon = ::LoadIconA(instance, "PLUGWARDEN");
  plugwarden::win32::frmMain main(
      {registry, files, versions, system, prompt, language, settings, windowsFolder, shell, ProgramPath(folder)},
      std::move(options));
  if (frmSplash::Show(shared::PlugwardenSplash(), [&main, &prompt]() -> HWND {
        HWND window = main.Load();
        // Message boxes belong to the main window from now on.
        prompt.SetOwner(window);
        return window;
      }) == nullptr) {
    return 1;
  }
  return RunMessageLoop();
}
