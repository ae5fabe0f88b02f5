// Seeding of the bench machine through the plain Win32 calls; a seed first clears what an earlier
// seed left.
#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/win32/bench.h"
#include "plugwarden/bho_catalogue.h"

namespace bench {
namespace {

constexpr char kRunBase[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";
constexpr char kModuleFolder[] = "C:\\bench\\modules";

void SetString(HKEY root, const std::string& path, const char* name, const std::string& data) {
  HKEY key = nullptr;
  if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return;
  }
  ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
  ::RegCloseKey(key);
}

void ClearFolder(const std::string& folder, const char* pattern) {
  WIN32_FIND_DATAA data{};
  HANDLE find = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((folder + "\\" + data.cFileName).c_str());
  } while (::FindNextFileA(find, &data));
  ::FindClose(find);
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (::SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path) != S_OK) return {};
  return path;
}

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  ::GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

void ClearObjects() {
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, plugwarden::kBhoKeyPath);
  HKEY classes = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_READ, &classes) == ERROR_SUCCESS) {
    std::vector<std::string> ours;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (::RegEnumKeyExA(classes, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      if (std::string(name).rfind(kIdPrefix, 0) == 0) ours.push_back(name);
    }
    for (const auto& id : ours) ::RegDeleteTreeA(classes, id.c_str());
    ::RegCloseKey(classes);
  }
  ClearFolder(kModuleFolder, "*.dll");
  ::DeleteFileA((WindowsFolder() + "\\SaveBHOProf.pro").c_str());
  ::DeleteFileA((WindowsFolder() + "\\SaveStartBHOProf.pro").c_str());
}

}  // namespace

std::string ObjectId(int i) {
  char id[64];
  std::snprintf(id, sizeof id, "{B5E0%04X-0000-4000-8000-%012X}", i & 0xFFFF, i);
  return id;
}

std::string HarnessFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\'));
}

void SeedObjects(int n, bool modulePerObject) {
  ClearObjects();
  ::CreateDirectoryA(kBenchFolder, nullptr);
  ::CreateDirectoryA(kModuleFolder, nullptr);
  const std::string source = HarnessFolder() + "\\warden_bench_module.dll";
  const std::string shared = std::string(kBenchFolder) + "\\module.dll";
  ::CopyFileA(source.c_str(), shared.c_str(), FALSE);
  for (int i = 0; i < n; ++i) {
    std::string module = shared;
    if (modulePerObject) {
      char name[64];
      std::snprintf(name, sizeof name, "\\m%05d.dll", i);
      module = kModuleFolder + std::string(name);
      ::CopyFileA(source.c_str(), module.c_str(), FALSE);
    }
    const std::string id = ObjectId(i);
    SetString(HKEY_LOCAL_MACHINE, std::string(plugwarden::kBhoKeyPath) + "\\" + id, "",
              "Bench Helper " + std::to_string(i));
    SetString(HKEY_CLASSES_ROOT, "CLSID\\" + id + "\\InprocServer32", "", module);
  }
}

void SeedStartupEntries(int n) {
  const struct {
    HKEY root;
    const char* key;
  } keys[] = {{HKEY_CURRENT_USER, "Run"},     {HKEY_LOCAL_MACHINE, "Run"},        {HKEY_LOCAL_MACHINE, "RunOnce"},
              {HKEY_LOCAL_MACHINE, "RunOnceEx"}, {HKEY_LOCAL_MACHINE, "RunServices"}};
  for (const auto& key : keys) {
    const std::string path = std::string(kRunBase) + key.key;
    ::RegDeleteTreeA(key.root, path.c_str());
    HKEY created = nullptr;
    if (::RegCreateKeyExA(key.root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr) ==
        ERROR_SUCCESS)
      ::RegCloseKey(created);
  }
  const std::string winIni = WindowsFolder() + "\\win.ini";
  ::WritePrivateProfileStringA("Windows", "Load", nullptr, winIni.c_str());
  ::WritePrivateProfileStringA("Windows", "Run", nullptr, winIni.c_str());
  ::DeleteFileA((WindowsFolder() + "\\SaveProf.pro").c_str());
  const std::string folders[] = {ShellFolder(CSIDL_STARTUP), ShellFolder(CSIDL_COMMON_STARTUP)};
  for (const auto& folder : folders) ClearFolder(folder, "*");

  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link));
  if (link) link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  for (int i = 0; i < n; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d", kTaskPrefix, i);
    const std::string command = "C:\\Program Files\\Bench\\task" + std::to_string(i) + ".exe";
    const int slot = i % 20;
    if (slot < 2 && file) {
      link->SetPath(command.c_str());
      const std::string path = folders[slot] + "\\" + name + ".lnk";
      std::wstring wide(path.begin(), path.end());
      file->Save(wide.c_str(), TRUE);
      continue;
    }
    const auto& key = slot == 2 ? keys[2] : slot == 3 ? keys[4] : keys[i % 2];
    SetString(key.root, std::string(kRunBase) + key.key, name, command + " /background");
  }
  if (file) file->Release();
  if (link) link->Release();
}

}  // namespace bench
