// The module's load and unload handler, shared by every platform: the
// platform file delivers the loader's notifications to it.
#pragma once

#include "host/types.h"

using ModuleExitFunction = void (*)(HINSTANCE);

// Handles one notification of the loader about the module with the given
// instance handle: load, unload, or a thread starting or ending. Answers true
// for every notification.
bool ModuleLoadHandler(HINSTANCE module, unsigned long reason);

// The optional exit function found at load, called at unload.
extern ModuleExitFunction module_exit_fn;
