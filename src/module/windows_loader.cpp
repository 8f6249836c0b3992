// Module loading on Windows: the system's loader calls DllMain, the DLL's entry
// point, with the module's own instance handle for every notification, and the
// system's GetProcAddress finds the module's exports. DllMain must keep the
// platform's C name and calling convention: under any other name or convention
// the run-time's default entry stub takes its place and the handler never runs.
#include "module/load_handler.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  return ModuleLoadHandler(module, reason) ? TRUE : FALSE;
}
