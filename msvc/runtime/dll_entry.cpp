// The DLL's entry point, which the Windows loader calls for every load,
// unload and thread notification. Static data gets its values before the
// module's DllMain hears of the load, as the C++ run-time promises.
#include <windows.h>

#include "static_initialisers.h"

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved);

extern "C" BOOL WINAPI _DllMainCRTStartup(HINSTANCE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) RunStaticInitialisers();
  return DllMain(module, reason, reserved);
}
