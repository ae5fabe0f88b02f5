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

}  // namespace

struct Win32Shortcut::Link {
  DWORD thread = 0;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;

  static std::unique_ptr<Link> Create() {
    auto made = std::make_unique<Link>();
    if (!CreateLink(made->link, made->file).ok()) return nullptr;
    made->thread = ::GetCurrentThreadId();
    return made;
  }
};

Win32Shortcut::Win32Shortcut() = default;
Win32Shortcut::~Win32Shortcut() = default;

Win32Shortcut::Link* Win32Shortcut::Load(const std::string& shortcutPath, std::unique_ptr<Link>& own) {
  const auto path = Widen(UpToNul(shortcutPath));
  if (!path || path->empty()) return nullptr;
  // The kept object serves only the thread (apartment) that made it; another thread reads with
  // one of its own.
  Link* reader = reader_.get();
  if (reader == nullptr || reader->thread != ::GetCurrentThreadId()) {
    own = Link::Create();
    if (!own) return nullptr;
    reader = own.get();
    if (!reader_) reader_ = std::move(own);
  }
  // Each load replaces everything the object held, so nothing carries over from the shortcut
  // before; one that failed part way is not trusted with the next.
  if (FAILED(reader->file->Load(path->c_str(), STGM_READ))) {
    if (reader == reader_.get()) reader_.reset();
    return nullptr;
  }
  return reader;
}

std::string Win32Shortcut::ReadTargetPath(const std::string& shortcutPath) {
  std::unique_ptr<Link> own;
  Link* reader = Load(shortcutPath, own);
  if (reader == nullptr) return {};
  char target[MAX_PATH] = {};
  // S_FALSE: a link without a file-system target (a shell item); the buffer stays empty.
  if (reader->link->GetPath(target, MAX_PATH, nullptr, 0) != S_OK) return {};
  return std::string(target, ::strnlen(target, MAX_PATH));
}

std::string Win32Shortcut::ReadArguments(const std::string& shortcutPath) {
  std::unique_ptr<Link> own;
  Link* reader = Load(shortcutPath, own);
  if (reader == nullptr) return {};
  // As long as a command line can be, which is more than a shortcut holds.
  std::string arguments(32768, '\0');
  if (FAILED(reader->link->GetArguments(arguments.data(), static_cast<int>(arguments.size())))) return {};
  return UpToNul(arguments);
}

Status Win32Shortcut::WriteShortcut(const std::string& shortcutPath, const std::string& targetPath,
                                    const std::string& arguments) {
  const auto path = Widen(UpToNul(shortcutPath));
  if (!path || path->empty()) return Status::Error(kErrorInvalidParameter, ErrorText(ERROR_INVALID_PARAMETER));
  // A fresh object: the reader's would pass on the arguments, folder and icon of the last one read.
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
