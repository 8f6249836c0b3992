// The module's load and unload handler.
#include "module/load_handler.h"

#include "host/api.h"

ModuleExitFunction module_exit_fn = nullptr;

namespace {

ModuleExitFunction FindExitFunction(HINSTANCE module, const char* name) {
  // Exit functions take the module's instance handle; the lookup hands back an
  // untyped function of that name. The step through void (*)() says the type
  // is known here, whatever the platform's own untyped function type is.
  return reinterpret_cast<ModuleExitFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace

bool ModuleLoadHandler(HINSTANCE module, unsigned long reason) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      InitLib(module);
      module_exit_fn = FindExitFunction(module, "ExitModule");
      if (module_exit_fn == nullptr) module_exit_fn = FindExitFunction(module, "opcDLLExit");
      break;
    case DLL_PROCESS_DETACH:
      if (module_exit_fn != nullptr) module_exit_fn(module);
      break;
    default:
      break;  // threads starting or ending concern the module in no way
  }
  return true;
}
