// Loadable modules through LoadLibraryW; a module's own dependencies are looked for beside it
// and in the system's folder, never in the current folder.
#include <windows.h>

#include "platform/dynlib.h"
#include "platform/win32/wide.h"

namespace platform {
namespace {

std::string g_lastError;

void KeepError(const std::string& what) {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = text ? Narrow(text) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
    reason.pop_back();
  g_lastError = what + ": " + reason;
}

}  // namespace

struct DynamicLibrary {
  HMODULE module;
};

DynamicLibrary* OpenDynamicLibrary(const std::string& path) {
  HMODULE module = LoadLibraryExW(Widen(path).c_str(), nullptr,
                                  LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (!module) {
    KeepError(path);
    return nullptr;
  }
  return new DynamicLibrary{module};
}

void* FindDynamicSymbol(DynamicLibrary* library, const std::string& name) {
  if (!library) return nullptr;
  FARPROC symbol = GetProcAddress(library->module, name.c_str());
  if (!symbol) KeepError(name);
  return reinterpret_cast<void*>(symbol);
}

void CloseDynamicLibrary(DynamicLibrary* library) {
  if (!library) return;
  if (!FreeLibrary(library->module)) KeepError("FreeLibrary");
  delete library;
}

std::string DynamicLibraryError() { return g_lastError; }

}  // namespace platform
