#pragma once
// The about box's behaviour, shared by both programs: its layout, its captions, the registry
// reader GetKeyValue and StartSysInfo. The window itself is shared/win32/frm_about.h.
#include <functional>
#include <optional>
#include <string>

#include "shared/file_system_port.h"
#include "shared/language_pack.h"
#include "shared/prompt_port.h"
#include "shared/registry_port.h"
#include "shared/shell_port.h"
#include "shared/twips.h"

namespace shared {

struct FontSpec {
  std::string face;  // "" = the window's own font
  double points = 0;
  bool bold = false;
};

// What differs between the two programs' about boxes.
struct AboutVariant {
  std::string programTitle;  // "Plugwarden" / "Bootwarden": message-box captions
  TwipsRect client;          // place and size of the client area
  int titleLeft = 1050;
  int descriptionLeft = 1050;
  FontSpec titleFont, versionFont, descriptionFont;
  // Design texts; Plugwarden replaces all seven from the language pack at each load.
  std::string caption, title, version, description, disclaimer, ok = "OK", sysInfo = "&System Info...";
  bool captionsFromLanguagePack = false;
  // Bootwarden sets left-to-right for every language but Arabic; Plugwarden keeps the design.
  bool explicitLeftToRight = false;
};

AboutVariant PlugwardenAbout();
AboutVariant BootwardenAbout();

// Pixel places of the about box's parts at one DPI.
struct AboutLayout {
  PixelRect client, icon, title, version, description, disclaimer, ok, sysInfo;
  // The etched rule: a grey one-pixel line with a white two-pixel line below it.
  int greyRuleLeft = 0, greyRuleY = 0, whiteRuleLeft = 0, whiteRuleY = 0, ruleRight = 0;
};
AboutLayout LayOutAbout(const AboutVariant& variant, int dpi);

struct AboutCaptions {
  std::string caption, title, version, description, disclaimer, ok, sysInfo;
  // true: right-to-left; false: left-to-right; nothing: leave the design setting.
  std::optional<bool> rightToLeft;
};
// The load of the window: the language default, the reading order and the seven captions.
// `language` may be null for a variant that does not consult the pack.
AboutCaptions LoadAboutCaptions(const AboutVariant& variant, LanguagePack* language);

// Reads a string or DWORD value under root\keyName, opened for querying only. A string loses one
// terminating NUL; a DWORD reads "&h" and upper-case hex digits ("&h1F"); other types leave
// keyVal as passed. False (and keyVal "") when the key or value cannot be read.
bool GetKeyValue(RegistryPort& registry, RegRoot keyRoot, const std::string& keyName, const std::string& subKeyRef,
                 std::string& keyVal);

inline constexpr char kMsinfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kMsinfoPathValue[] = "PATH";
inline constexpr char kSharedToolsLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kMsinfoFolderValue[] = "MSINFO";

// Starts the system-information tool from where the registry says it is; when there is none, or
// it cannot be started, shows `unavailableText()` (OK only, no icon, the program's title).
void StartSysInfo(RegistryPort& registry, FileSystemPort& files, ShellPort& shell, PromptPort& prompt,
                  const std::string& programTitle, const std::function<std::string()>& unavailableText);

}  // namespace shared
