#pragma once
// What the menus hand over to other programs: the help index, the updater, the maker's web site,
// the registry editor and Notepad on the DOS start files. Texts from the language pack come in
// already looked up; the callers own the menus.
#include <string>

#include "shared/file_system_port.h"
#include "shared/maker.h"
#include "shared/prompt_port.h"
#include "shared/shell_port.h"

namespace shared {

inline constexpr char kAutoexecBat[] = "c:\\autoexec.bat";
inline constexpr char kConfigSys[] = "c:\\config.sys";
// Yes and No buttons, critical icon, No the default.
inline constexpr int kRegistryWarningStyle = kMbYesNo | kMbIconCritical | kMbDefaultButton2;

// Opens a document with the verb "Open", no owner, in a normal window; errors are ignored.
void OpenDocument(ShellPort& shell, const std::string& path);

// "Help\index.html" below the program folder, with no doubled backslash at a drive root.
std::string HelpIndexPath(const std::string& programFolder);
void OpenHelpIndex(ShellPort& shell, const std::string& programFolder);

// "freshpull.exe" beside the program.
std::string UpdaterPath(const std::string& programFolder);
// Plugwarden: a missing updater shows `missingText` (language text 8512) followed by its path,
// OK only, with the program's title; otherwise starts it, errors ignored.
void StartUpdaterChecked(ShellPort& shell, FileSystemPort& files, PromptPort& prompt,
                         const std::string& programFolder, const std::string& missingText,
                         const std::string& title);
// Bootwarden: starts the updater and ignores every error; a missing one shows nothing.
void StartUpdaterSilently(ShellPort& shell, const std::string& programFolder);

// Opens the maker's web site in a normal window owned by the main window; errors are ignored.
void VisitMakerSite(ShellPort& shell, WindowId owner);

// Warns with `warningText` (Bootwarden's text 412), caption "Bootwarden", style 276; on Yes starts
// windowsFolder & "\regedit.exe". A start that fails is shown with the platform's reason.
void StartRegistryEditor(ShellPort& shell, PromptPort& prompt, const std::string& windowsFolder,
                         const std::string& warningText);

// Notepad from the system folder on one of the DOS start files; a start that fails is shown
// with the platform's reason under the program's title.
void EditDosFile(ShellPort& shell, PromptPort& prompt, const std::string& dosFile, const std::string& title);

// A command-line token for a path: quoted when it holds a space or tab, so an unquoted
// "C:\Program Files\..." can never start "C:\Program.exe". A path already in quotes is kept.
std::string QuoteProgram(const std::string& path);

// The message shown when a program cannot be started.
std::string StartFailureText(const std::string& program, const Status& status);

}  // namespace shared
