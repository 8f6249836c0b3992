// Loading a module on Windows, with the system's loader.
#include "core/module_library.h"
#include "core/system_error.h"

namespace sim::library {

// The loader binds every import when it loads the library, so a module
// needing a function the host lacks fails here.
void* Open(const std::string& path, std::string& error) {
  HMODULE library = LoadLibraryA(path.c_str());
  if (library == nullptr) error = path + ": " + SystemErrorText(GetLastError());
  return library;
}

void Close(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

// A module's handle is its instance handle, the load base.
HINSTANCE Instance(void* library) { return static_cast<HINSTANCE>(library); }

// GetProcAddress searches the module's own export table only.
void* FindOwnExport(void* library, const char* name) {
  return reinterpret_cast<void*>(
      reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(library), name)));
}

}  // namespace sim::library
