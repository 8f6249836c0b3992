// An exit function for test variants of the module, exported under the name
// EXIT_FUNCTION_NAME. It reports its call to the hosting test executable.
#include "host/types.h"

extern "C" void RecordModuleExit(HINSTANCE module);

extern "C" MODULE_EXPORT void EXIT_FUNCTION_NAME(HINSTANCE module) { RecordModuleExit(module); }
