#include "shared/win32/win32_shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <optional>

#include "shared/text.h"
#include "shared/win32/com.h"
#include "shared/win32/error_text.h"

namespace shared::win32 {
namespace {

// IPersistFile speaks UTF-16; the programs' paths are in the ANSI code page.
std::optional<std::wstring> Widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

Status CreateLink(ComPtr<IShellLinkA>& link, ComPtr<IPersistFile>& file) {
  if (Status entered = EnsureComApartment(); !entered.ok()) return entered;
  HRESULT result =
      ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid());
  if (FAILED(result)) return HresultError(result);
  result = link->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
  if (FAILED(result)) return HresultError(result);
  return Status::Ok();
}

// The shortcut file loaded into a link object; false when the path names no readable shortcut.
bool LoadLink(const std::string& shortcutPath, ComPtr<IShellLinkA>& link) {
  const auto path = Widen(UpToNul(shortcutPath));
  if (!path || path->empty()) return false;
  ComPtr<IPersistFile> file;
  if (!CreateLink(link, file).ok()) return false;
  return SUCCEEDED(file->Load(path->c_str(), STGM_READ));
}

}  // namespace

std::string Win32Shortcut::ReadTargetPath(const std::string& shortcutPath) {
  ComPtr<IShellLinkA> link;
  if (!LoadLink(shortcutPath, link)) return {};
  char target[MAX_PATH] = {};
  // S_FALSE: a link without a file-system target (a shell item); the buffer stays empty.
  if (link->GetPath(target, MAX_PATH, nullptr, 0) != S_OK) return {};
  return std::string(target, ::strnlen(target, MAX_PATH));
}

std::string Win32Shortcut::ReadArguments(const std::string& shortcutPath) {
  ComPtr<IShellLinkA> link;
  if (!LoadLink(shortcutPath, link)) return {};
  // As long as a command line can be, which is more than a shortcut holds.
  std::string arguments(32768, '\0');
  if (FAILED(link->GetArguments(arguments.data(), static_cast<int>(arguments.size())))) return {};
  return UpToNul(arguments);
}

Status Win32Shortcut::WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                                    const std::string& arguments) {
  const auto path = Widen(UpToNul(shortcutPath));
  if (!path || path->empty()) return Status::Error(kErrorInvalidParameter, ErrorText(ERROR_INVALID_PARAMETER));
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  if (Status created = CreateLink(link, file); !created.ok()) return created;
  // A target that does not exist (yet) is still stored; only a hard failure counts.
  HRESULT result = link->SetPath(UpToNul(targetPath).c_str());
  if (FAILED(result)) return HresultError(result);
  result = link->SetArguments(UpToNul(arguments).c_str());
  if (FAILED(result)) return HresultError(result);
  result = file->Save(path->c_str(), TRUE);
  if (FAILED(result)) return HresultError(result);
  return Status::Ok();
}

}  // namespace shared::win32
