// The operating system's side of module loading, as the module sees it.
#pragma once

#include "host/types.h"

// Reasons for which the loader notifies a module.
enum : unsigned long {
  DLL_PROCESS_DETACH = 0,
  DLL_PROCESS_ATTACH = 1,
  DLL_THREAD_ATTACH = 2,
  DLL_THREAD_DETACH = 3,
};

using FARPROC = void (*)();
using ModuleExitFunction = void (*)(HINSTANCE);

// Finds a function among the exports of the given module itself: a function
// of that name in the executable or another library does not count.
FARPROC GetProcAddress(HINSTANCE module, const char* name);

// The module's load and unload handler; answers true for every notification.
bool DllMain(HINSTANCE module, unsigned long reason, void* reserved);

// The optional exit function found at load, called at unload.
extern ModuleExitFunction module_exit_fn;
