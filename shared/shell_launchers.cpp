#include "shared/shell_launchers.h"

#include "shared/text.h"

namespace shared {
namespace {

constexpr char kOpenVerb[] = "Open";
constexpr char kBootwardenTitle[] = "Bootwarden";

// Paths are joined as the folder gives them, with exactly one backslash between.
std::string JoinFolder(const std::string& folder, const std::string& name) {
  const std::string trimmed = TrimSpaces(folder);
  if (!trimmed.empty() && trimmed.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

void RunOrTell(ShellPort& shell, PromptPort& prompt, const std::string& program, const std::string& commandLine,
               const std::string& title) {
  const Status started = shell.RunCommandLine(commandLine);
  if (!started.ok()) prompt.Ask(StartFailureText(program, started), kMbOk | kMbIconCritical, title);
}

}  // namespace

void OpenDocument(ShellPort& shell, const std::string& path) {
  // Shown normally: a hidden browser window would look like nothing happened.
  shell.OpenDocument(0, kOpenVerb, path, kShowNormal).IgnoreError();
}

std::string HelpIndexPath(const std::string& programFolder) {
  return JoinFolder(programFolder, "Help\\index.html");
}

void OpenHelpIndex(ShellPort& shell, const std::string& programFolder) {
  OpenDocument(shell, HelpIndexPath(programFolder));
}

std::string UpdaterPath(const std::string& programFolder) { return programFolder + "\\freshpull.exe"; }

void StartUpdaterChecked(ShellPort& shell, FileSystemPort& files, PromptPort& prompt,
                         const std::string& programFolder, const std::string& missingText,
                         const std::string& title) {
  const std::string updater = UpdaterPath(programFolder);
  if (!FileExists(files, updater)) {
    prompt.Ask(missingText + updater, kMbOk, title);
    return;
  }
  shell.RunCommandLine(QuoteProgram(updater)).IgnoreError();
}

void StartUpdaterSilently(ShellPort& shell, const std::string& programFolder) {
  shell.RunCommandLine(QuoteProgram(UpdaterPath(programFolder))).IgnoreError();
}

void VisitMakerSite(ShellPort& shell, WindowId owner) {
  shell.OpenDocument(owner, kOpenVerb, kMakerWebAddress, kShowNormal).IgnoreError();
}

void StartRegistryEditor(ShellPort& shell, PromptPort& prompt, const std::string& windowsFolder,
                         const std::string& warningText) {
  if (prompt.Ask(warningText, kRegistryWarningStyle, kBootwardenTitle) != kAnswerYes) return;
  const std::string editor = windowsFolder + "\\regedit.exe";
  RunOrTell(shell, prompt, editor, QuoteProgram(editor), kBootwardenTitle);
}

void EditDosFile(ShellPort& shell, PromptPort& prompt, const std::string& dosFile, const std::string& title) {
  // From the system folder: through the search path a notepad.exe beside the program would win.
  const std::string notepad = JoinFolder(shell.SystemFolder(), "notepad.exe");
  RunOrTell(shell, prompt, notepad, QuoteProgram(notepad) + " " + dosFile, title);
}

std::string QuoteProgram(const std::string& path) {
  if (path.find_first_of(" \t") == std::string::npos) return path;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') return path;
  return "\"" + path + "\"";
}

std::string StartFailureText(const std::string& program, const Status& status) {
  std::string text = "\"" + program + "\" could not be started.";
  if (!status.message().empty()) text += "\r\n\r\n" + status.message();
  return text;
}

}  // namespace shared
