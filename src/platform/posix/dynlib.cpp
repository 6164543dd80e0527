// Dynamic libraries on POSIX: dlopen.
#include "platform/dynlib.h"

#include <dlfcn.h>

namespace platform {
namespace {
std::string g_lastError;

void KeepError() {
  const char* text = dlerror();
  g_lastError = text ? text : "unknown error";
}
}  // namespace

struct DynamicLibrary {
  void* handle;
};

DynamicLibrary* OpenDynamicLibrary(const std::string& path) {
  dlerror();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    KeepError();
    return nullptr;
  }
  return new DynamicLibrary{handle};
}

void* FindDynamicSymbol(DynamicLibrary* library, const std::string& name) {
  if (!library) return nullptr;
  dlerror();
  void* symbol = dlsym(library->handle, name.c_str());
  if (!symbol) KeepError();
  return symbol;
}

void CloseDynamicLibrary(DynamicLibrary* library) {
  if (!library) return;
  dlerror();
  if (dlclose(library->handle) != 0) KeepError();
  delete library;
}

std::string DynamicLibraryError() {
  return g_lastError;
}

}  // namespace platform
