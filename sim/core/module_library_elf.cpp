// Loading a module on ELF systems, with the dynamic loader.
#include <dlfcn.h>

#include "core/module_library.h"

namespace sim::library {

void* Open(const std::string& path, std::string& error) {
  // Bind every host function now, so that a module needing one the host lacks
  // fails here rather than in the middle of a run.
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : path + ": cannot open the module";
  }
  return library;
}

void Close(void* library) { dlclose(library); }

// The load base of the object, found through its one export that every vessel
// module has.
HINSTANCE Instance(void* library) {
  void* symbol = dlsym(library, "ovcInit");
  Dl_info info{};
  if (symbol == nullptr || dladdr(symbol, &info) == 0) return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}

// A lookup through a handle also searches the object's dependencies: keep only
// a symbol that lies in the object itself.
void* FindOwnExport(void* library, const char* name) {
  void* symbol = dlsym(library, name);
  Dl_info info{};
  if (symbol == nullptr || dladdr(symbol, &info) == 0 ||
      info.dli_fbase != static_cast<void*>(Instance(library))) {
    return nullptr;
  }
  return symbol;
}

}  // namespace sim::library
