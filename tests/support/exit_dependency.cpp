// A library that a test variant of the module depends on, exporting an exit
// function of its own. It reports its call to the hosting test executable.
#include "host/types.h"

extern "C" void RecordModuleExit(HINSTANCE module);

extern "C" __attribute__((visibility("default"))) void ExitModule(HINSTANCE module) {
  RecordModuleExit(module);
}
