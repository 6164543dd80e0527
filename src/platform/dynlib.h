// Dynamic libraries: a module opened by path, its functions found by name.
#pragma once
#include <string>

namespace platform {

// A loadable module (a shared library opened at run time). Opening resolves every symbol at
// once and keeps the module's symbols to itself.
struct DynamicLibrary;

// The opened module, or nullptr with the reason in DynamicLibraryError().
DynamicLibrary* OpenDynamicLibrary(const std::string& path);

// The address of an exported symbol, or nullptr when the module has none by that name.
void* FindDynamicSymbol(DynamicLibrary* library, const std::string& name);

// Lets go of the module; the pointer is invalid afterwards. Nullptr is allowed.
void CloseDynamicLibrary(DynamicLibrary* library);

// The text of the last failure of the functions above.
std::string DynamicLibraryError();

}  // namespace platform
