#include "shared/win32/win32_version.h"

#include <windows.h>

#include <algorithm>

#include <cstring>
#include <vector>

#include "shared/win32/hardening.h"

namespace shared::win32 {
namespace {

using GetSizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using GetInfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

// version.dll is not one of the DLLs the loader always takes from the system folder, so it is
// loaded by hand from there rather than linked.
struct VersionLibrary {
  GetSizeFn getSize = nullptr;
  GetInfoFn getInfo = nullptr;
  QueryFn query = nullptr;

  static const VersionLibrary& Get() {
    static const VersionLibrary library = [] {
      VersionLibrary lib;
      HMODULE module = LoadSystemLibrary(L"version.dll");
      if (module == nullptr) return lib;
      lib.getSize = reinterpret_cast<GetSizeFn>(
          reinterpret_cast<void*>(::GetProcAddress(module, "GetFileVersionInfoSizeA")));
      lib.getInfo = reinterpret_cast<GetInfoFn>(
          reinterpret_cast<void*>(::GetProcAddress(module, "GetFileVersionInfoA")));
      lib.query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(::GetProcAddress(module, "VerQueryValueA")));
      return lib;
    }();
    return library;
  }
  bool ok() const { return getSize && getInfo && query; }
};

class Win32VersionBlock final : public VersionBlock {
 public:
  explicit Win32VersionBlock(std::vector<char> data) : data_(std::move(data)) {}

  std::optional<std::string> Query(const std::string& subBlock) const override {
    void* value = nullptr;
    UINT length = 0;
    if (!VersionLibrary::Get().query(data_.data(), subBlock.c_str(), &value, &length) || value == nullptr)
      return std::nullopt;
    const char* begin = static_cast<const char*>(value);
    const char* end = data_.data() + data_.size();
    if (begin < data_.data() || begin > end) return std::nullopt;
    const std::size_t available = static_cast<std::size_t>(end - begin);
    if (subBlock.rfind("\\StringFileInfo\\", 0) == 0) {
      // A string value ends at its NUL, never past the resource.
      return std::string(begin, strnlen(begin, available));
    }
    return std::string(begin, std::min<std::size_t>(length, available));
  }

 private:
  std::vector<char> data_;
};

}  // namespace

std::uint32_t Win32Version::GetInfoSize(const std::string& path) {
  const auto& lib = VersionLibrary::Get();
  if (!lib.ok()) return 0;
  DWORD handle = 0;
  return lib.getSize(path.c_str(), &handle);
}

std::unique_ptr<VersionBlock> Win32Version::GetInfo(const std::string& path) {
  const auto& lib = VersionLibrary::Get();
  if (!lib.ok()) return nullptr;
  DWORD handle = 0;
  const DWORD size = lib.getSize(path.c_str(), &handle);
  if (size == 0) return nullptr;
  std::vector<char> data(size);
  if (!lib.getInfo(path.c_str(), 0, size, data.data())) return nullptr;
  return std::make_unique<Win32VersionBlock>(std::move(data));
}

}  // namespace shared::win32
