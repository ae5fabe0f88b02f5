#include "shared/about_box.h"

#include <cstdint>

#include "shared/fixed_buffers.h"
#include "shared/language_list.h"
#include "shared/shell_launchers.h"

namespace shared {
namespace {

AboutVariant CommonAbout() {
  AboutVariant v;
  v.version = "Version 1.0.0";
  return v;
}

}  // namespace

AboutVariant PlugwardenAbout() {
  AboutVariant v = CommonAbout();
  v.programTitle = "Plugwarden";
  v.client = {2340, 1935, 5805, 4110};
  v.caption = "About Plugwarden";
  v.title = "Plugwarden";
  v.disclaimer =
      "Warning: Plugwarden changes the registration of programs that Internet Explorer and the "
      "Windows shell load. Disable only what you know you do not need.";
  v.captionsFromLanguagePack = true;
  return v;
}

AboutVariant BootwardenAbout() {
  AboutVariant v = CommonAbout();
  v.programTitle = "Bootwarden";
  v.client = {3975, 3705, 5730, 4110};
  v.titleLeft = 1080;
  v.descriptionLeft = 1080;
  v.titleFont = {"Arial", 13.5, false};
  v.versionFont = {"Arial", 9.75, true};
  v.descriptionFont = {"Arial", 8.25, true};
  v.caption = "About Bootwarden";
  v.title = "Bootwarden";
  v.version = "Version 1.0";
  v.description =
      "Use Bootwarden to Mange your Startup programs you can Enable, Diable,Remove, and Add startup programs in "
      "you system in the most easy and safe way.";
  v.explicitLeftToRight = true;
  return v;
}

AboutLayout LayOutAbout(const AboutVariant& variant, int dpi) {
  AboutLayout l;
  l.client = ToPixels(variant.client, dpi);
  l.icon = ToPixels({240, 240, 540, 540}, dpi);
  l.title = ToPixels({variant.titleLeft, 240, 3885, 480}, dpi);
  l.version = ToPixels({1050, 780, 3885, 225}, dpi);
  l.description = ToPixels({variant.descriptionLeft, 1125, 3885, 1170}, dpi);
  l.disclaimer = ToPixels({255, 2625, 3870, 1305}, dpi);
  l.ok = ToPixels({4320, 2760, 1335, 375}, dpi);
  l.sysInfo = ToPixels({4320, 3240, 1335, 375}, dpi);
  l.greyRuleLeft = TwipsToPixels(90, dpi);
  l.greyRuleY = TwipsToPixels(2445, dpi);
  l.whiteRuleLeft = TwipsToPixels(105, dpi);
  // The white half lies directly below the grey one whatever the rounding.
  l.whiteRuleY = l.greyRuleY + 1;
  l.ruleRight = TwipsToPixels(5654, dpi);
  return l;
}

AboutCaptions LoadAboutCaptions(const AboutVariant& variant, LanguagePack* language) {
  AboutCaptions c{variant.caption, variant.title,      variant.version, variant.description,
                  variant.disclaimer, variant.ok, variant.sysInfo, std::nullopt};
  if (language == nullptr) {
    if (variant.explicitLeftToRight) c.rightToLeft = false;
    return c;
  }
  if (variant.captionsFromLanguagePack && language->CurrentLanguageFile().empty())
    language->SetCurrentLanguageFile(kDefaultLanguageFile);
  if (language->CurrentLanguageFile() == kRightToLeftLanguageFile) {
    c.rightToLeft = true;
  } else if (variant.explicitLeftToRight) {
    c.rightToLeft = false;
  }
  if (variant.captionsFromLanguagePack) {
    std::string* const targets[] = {&c.caption, &c.title, &c.version, &c.description,
                                    &c.disclaimer, &c.ok, &c.sysInfo};
    int key = 8401;
    for (std::string* target : targets) *target = language->SetCaptionfromINI(std::to_string(key++), "");
  }
  return c;
}

bool GetKeyValue(RegistryPort& registry, RegRoot keyRoot, const std::string& keyName, const std::string& subKeyRef,
                 std::string& keyVal) {
  // Only read: asking for more access would fail on HKEY_LOCAL_MACHINE for every non-administrator.
  Result<KeyHandle> opened = registry.OpenKey(keyRoot, keyName, KeyAccess::kQueryValue);
  if (!opened.ok()) {
    keyVal.clear();
    return false;
  }
  ScopedKey key(registry, opened.value());
  Result<RegValueData> read = registry.QueryValue(key.get(), subKeyRef);
  if (!read.ok() || read.value().bytes.size() > kAboutValueBuffer) {
    keyVal.clear();
    return false;
  }
  const RegValueData& data = read.value();
  std::string text = data.bytes;
  if (!text.empty() && text.back() == '\0') text.pop_back();
  if (data.type == kRegSz) {
    keyVal = text;
  } else if (data.type == kRegDword) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < data.bytes.size() && i < 4; ++i)
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data.bytes[i])) << (8 * i);
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
      digits.insert(digits.begin(), kDigits[value & 0xF]);
      value >>= 4;
    } while (value != 0);
    keyVal = "&h" + digits;
  }
  return true;
}

void StartSysInfo(RegistryPort& registry, FileSystemPort& files, ShellPort& shell, PromptPort& prompt,
                  const std::string& programTitle, const std::function<std::string()>& unavailableText) {
  std::string path;
  std::string program;
  if (GetKeyValue(registry, kHkeyLocalMachine, kMsinfoKey, kMsinfoPathValue, path)) {
    // The stored path is run as it stands: a failure to start shows the message below.
    program = path;
  } else if (GetKeyValue(registry, kHkeyLocalMachine, kSharedToolsLocationKey, kMsinfoFolderValue, path) &&
             FileExists(files, path + "\\MSINFO32.EXE")) {
    program = path + "\\MSINFO32.EXE";
  }
  if (!program.empty() && shell.RunCommandLine(QuoteProgram(program)).ok()) return;
  prompt.Ask(unavailableText(), kMbOk, programTitle);
}

}  // namespace shared
