// Where a Windows program's warnings go: the console it was started from, or the stream its
// starter gave it, else %LOCALAPPDATA%\K.Z.V\kzv.log. Set up before main runs.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>

#include "platform/win32/wide.h"

namespace platform {
namespace {

bool Usable(DWORD which) {
  HANDLE h = GetStdHandle(which);
  return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

std::wstring LogPath() {
  wchar_t* local = nullptr;
  if (SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &local) != S_OK) {
    CoTaskMemFree(local);
    return {};
  }
  std::wstring dir = std::wstring(local) + L"\\K.Z.V";
  CoTaskMemFree(local);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir + L"\\kzv.log";
}

struct Console {
  Console() {
    // A stream handed over by whoever started the program (a pipe, a file) is kept as it is.
    if (Usable(STD_ERROR_HANDLE) && Usable(STD_OUTPUT_HANDLE)) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
      std::freopen("CONOUT$", "w", stdout);
      std::freopen("CONOUT$", "w", stderr);
      return;
    }
    const std::wstring log = LogPath();
    if (log.empty()) return;
    _wfreopen(log.c_str(), L"a", stderr);
    _wfreopen(log.c_str(), L"a", stdout);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
  }
} g_console;

}  // namespace
}  // namespace platform
