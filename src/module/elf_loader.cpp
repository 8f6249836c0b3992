// Module loading on ELF systems: the dynamic loader runs the object's
// initialisation and finalisation when the host opens and closes it; they
// deliver the load and unload notifications. The module's instance handle is
// its load base address.
#include <dlfcn.h>

#include "module/load_handler.h"

namespace {

HINSTANCE OwnInstance();

__attribute__((constructor)) void NotifyLoad() {
  ModuleLoadHandler(OwnInstance(), DLL_PROCESS_ATTACH);
}

__attribute__((destructor)) void NotifyUnload() {
  ModuleLoadHandler(OwnInstance(), DLL_PROCESS_DETACH);
}

HINSTANCE OwnInstance() {
  Dl_info info{};
  dladdr(reinterpret_cast<void*>(&NotifyLoad), &info);
  return static_cast<HINSTANCE>(info.dli_fbase);
}

}  // namespace

FARPROC GetProcAddress(HINSTANCE module, const char* name) {
  Dl_info module_info{};
  if (dladdr(module, &module_info) == 0) return nullptr;
  // A handle of the object already loaded at that base; the search through it
  // also covers its dependencies, so keep only a symbol that lies in the
  // object itself.
  void* handle = dlopen(module_info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
  if (handle == nullptr) return nullptr;
  void* symbol = dlsym(handle, name);
  dlclose(handle);
  Dl_info symbol_info{};
  if (symbol == nullptr || dladdr(symbol, &symbol_info) == 0 ||
      symbol_info.dli_fbase != static_cast<void*>(module)) {
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}
