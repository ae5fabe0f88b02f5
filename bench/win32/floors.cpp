// Floors: bare loops of exactly the Win32 calls a piece of work cannot avoid, with no model, no
// ports and no checks beyond what the calls need.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <winver.h>

#include <cstdio>
#include <cstring>
#include <set>

#include "bench/win32/bench.h"
#include "bench/win32/timed_ports.h"
#include "plugwarden/bho_catalogue.h"

namespace bench {
namespace {

std::string QueryDefault(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  char data[1024];
  DWORD size = sizeof data;
  DWORD type = 0;
  std::string text;
  if (::RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS)
    text.assign(data, ::strnlen(data, size));
  ::RegCloseKey(key);
  return text;
}

bool Opens(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

struct ModuleTexts {
  std::string version;
  std::string description;
};

// One read of the resource: its size, the block, the fixed version, the translation and the one
// string the list shows.
ModuleTexts ReadVersion(const std::string& path) {
  ModuleTexts texts;
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
  if (size == 0) return texts;
  std::vector<char> block(size);
  if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return texts;
  void* value = nullptr;
  UINT length = 0;
  if (::VerQueryValueA(block.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    texts.version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
                    "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                    std::to_string(LOWORD(fixed->dwFileVersionLS));
  }
  if (::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
    const auto* words = static_cast<const WORD*>(value);
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04X%04X\\FileDescription", words[0], words[1]);
    if (::VerQueryValueA(block.data(), query, &value, &length)) texts.description = static_cast<const char*>(value);
  }
  return texts;
}

// The rows the floor's list shows: it asks for the texts it paints, as the programs' list does.
std::vector<Row> g_shownRows;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_GETDISPINFOA) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
    if ((item.mask & LVIF_TEXT) && item.iItem >= 0 && static_cast<std::size_t>(item.iItem) < g_shownRows.size() &&
        item.iSubItem >= 0 && item.iSubItem < 6)
      ::lstrcpynA(item.pszText, g_shownRows[item.iItem][item.iSubItem].c_str(), item.cchTextMax);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

std::vector<Row> FloorBhoEnumeration() {
  std::vector<std::string> names;
  HKEY objects = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, plugwarden::kBhoKeyPath, 0, KEY_READ, &objects) == ERROR_SUCCESS) {
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = sizeof name;
      if (::RegEnumKeyExA(objects, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, length);
    }
    ::RegCloseKey(objects);
  }
  std::vector<Row> rows;
  rows.reserve(names.size());
  // A module's resource is read once: per distinct module is what the work cannot avoid.
  std::set<std::string> read;
  ModuleTexts last;
  for (const auto& name : names) {
    Row row{QueryDefault(HKEY_LOCAL_MACHINE, std::string(plugwarden::kBhoKeyPath) + "\\" + name), "ERROR", "", "", "",
            name};
    const std::string classPath = "CLSID\\" + name;
    if (Opens(HKEY_CLASSES_ROOT, classPath)) {
      const std::string module = QueryDefault(HKEY_CLASSES_ROOT, classPath + "\\InprocServer32");
      const DWORD attributes = ::GetFileAttributesA(module.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (read.insert(module).second) last = ReadVersion(module);
        row[1] = "Enabled";
        row[2] = last.description;
        row[3] = last.version;
        row[4] = module;
      }
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<Row> FloorStartupEnumeration() {
  std::vector<Row> rows;
  const struct {
    HKEY root;
    const char* key;
  } keys[] = {{HKEY_CURRENT_USER, "Run"},     {HKEY_LOCAL_MACHINE, "Run"},        {HKEY_LOCAL_MACHINE, "RunOnce"},
              {HKEY_LOCAL_MACHINE, "RunOnceEx"}, {HKEY_LOCAL_MACHINE, "RunServices"}};
  for (const auto& location : keys) {
    HKEY key = nullptr;
    const std::string path = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + location.key;
    if (::RegOpenKeyExA(location.root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) continue;
    DWORD count = 0;
    ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                       nullptr);
    for (DWORD i = 0; i < count; ++i) {
      char name[261];
      char data[1024];
      DWORD nameLength = sizeof name;
      DWORD dataLength = sizeof data;
      DWORD type = 0;
      // Name and data in one call.
      if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataLength) !=
          ERROR_SUCCESS)
        continue;
      rows.push_back({std::string(name, nameLength), "Enabled", location.key, "", "",
                      std::string(data, ::strnlen(data, dataLength))});
    }
    ::RegCloseKey(key);
  }
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string winIni = std::string(windows) + "\\win.ini";
  char value[128];
  ::GetPrivateProfileStringA("Windows", "Load", "", value, 127, winIni.c_str());
  ::GetPrivateProfileStringA("Windows", "Run", "", value, 127, winIni.c_str());

  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, reinterpret_cast<void**>(&link));
  if (link) link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  for (int csidl : {CSIDL_STARTUP, CSIDL_COMMON_STARTUP}) {
    char folder[MAX_PATH] = {};
    if (::SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, folder) != S_OK) continue;
    WIN32_FIND_DATAA data{};
    HANDLE find = ::FindFirstFileA((std::string(folder) + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
      const std::string path = std::string(folder) + "\\" + data.cFileName;
      std::wstring wide(path.begin(), path.end());
      char target[MAX_PATH] = {};
      if (file && SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) link->GetPath(target, MAX_PATH, nullptr, 0);
      rows.push_back({data.cFileName, "Enabled", "StartUp", "", "", target});
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
  }
  if (file) file->Release();
  if (link) link->Release();
  return rows;
}

HWND FloorWindow(std::vector<Row> rows, int columns, int captions, const std::string& pack) {
  char text[500];
  for (int key = 0; key < captions; ++key)
    ::GetPrivateProfileStringA("Vexlin Language Pack", std::to_string(8101 + key).c_str(), "", text, sizeof text,
                               pack.c_str());

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "WardenBenchFloor";
  ::RegisterClassA(&windowClass);
  HWND window = ::CreateWindowExA(0, "WardenBenchFloor", "Floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  800, 400, nullptr, nullptr, windowClass.hInstance, nullptr);
  HWND list = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 8,
                                8, 760, 300,
                                window, nullptr, windowClass.hInstance, nullptr);
  for (int column = 0; column < columns; ++column) {
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.cx = 100;
    c.pszText = const_cast<char*>("Column");
    c.iSubItem = column;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
  }
  g_shownRows = std::move(rows);
  ::SendMessageA(list, LVM_SETITEMCOUNT, g_shownRows.size(), 0);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  if (static_cast<std::size_t>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) != g_shownRows.size())
    std::fprintf(stderr, "floor list lost rows\n");
  return window;
}

std::string FloorReadFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string contents(::GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ::ReadFile(file, contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr);
  ::CloseHandle(file);
  contents.resize(read);
  return contents;
}

std::string FloorFormat(const std::vector<Row>& rows) {
  std::string text;
  for (const auto& row : rows) {
    for (const auto& field : row) {
      text += field;
      text += "\r\n";
    }
  }
  return text;
}

void FloorWriteFile(const std::string& path, const std::string& contents) {
  const std::string temporary = path + ".tmp";
  HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
  ::FlushFileBuffers(file);
  ::CloseHandle(file);
  ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void Splits::Print(const std::string& work) const {
  for (const auto& [what, split] : splits_)
    std::fprintf(stderr, "split %s: %-30s %8ld calls %9.3f s\n", work.c_str(), what.c_str(), split.calls,
                 split.seconds);
}

Clock::Clock() {
  ::QueryPerformanceFrequency(&frequency_);
  Restart();
}

void Clock::Restart() { ::QueryPerformanceCounter(&start_); }

double Clock::Seconds() const {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
}

}  // namespace bench
