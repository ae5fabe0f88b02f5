#include "shared/win32/program_folder.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "shared/win32/error_text.h"

namespace shared::win32 {
namespace {

// The ANSI form of a wide path, or nothing when a character has no ANSI form.
std::optional<std::string> ToAnsi(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  BOOL lossy = FALSE;
  const int size = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), ansi.data(), size,
                        nullptr, &lossy);
  return ansi;
}

}  // namespace

Result<std::string> ProgramFolder() {
  // Paths may be longer than MAX_PATH; grow until the whole name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = 0;
  for (;;) {
    length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return LastError();
    if (length < buffer.size()) break;
    if (buffer.size() >= 32768) return LastError(ERROR_INSUFFICIENT_BUFFER);
    buffer.resize(buffer.size() * 2);
  }
  std::wstring folder(buffer.data(), length);
  folder.erase(folder.find_last_of(L'\\') == std::wstring::npos ? 0 : folder.find_last_of(L'\\'));
  if (auto ansi = ToAnsi(folder)) return *ansi;

  const DWORD shortLength = ::GetShortPathNameW(folder.c_str(), nullptr, 0);
  if (shortLength == 0) return LastError();
  std::wstring shortFolder(shortLength, L'\0');
  const DWORD written = ::GetShortPathNameW(folder.c_str(), shortFolder.data(), shortLength);
  if (written == 0 || written >= shortLength) return LastError();
  shortFolder.resize(written);
  if (auto ansi = ToAnsi(shortFolder)) return *ansi;
  return LastError(ERROR_NO_UNICODE_TRANSLATION);
}

}  // namespace shared::win32
