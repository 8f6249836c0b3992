// A vessel module's exports, as the simulator looks them up by name.
#pragma once

#include "host/vessel.h"

// A module's exports keep their plain names and stay visible however the rest
// of the module is built.
#define DLLCLBK extern "C" MODULE_EXPORT

// Creates the interface of a new vessel of the module's class.
DLLCLBK VESSEL* ovcInit(VesselHandle vessel, int flight_model);
// Destroys an interface that ovcInit returned; null does nothing.
DLLCLBK void ovcExit(VESSEL* vessel);
// The module's build date, "Mmm dd yyyy".
DLLCLBK const char* ModuleDate();
// The simulator version the module was built against, as Date2Int gives it.
DLLCLBK int GetModuleVersion();

using OvcInitFunction = VESSEL* (*)(VesselHandle, int);
using OvcExitFunction = void (*)(VESSEL*);
using ModuleDateFunction = const char* (*)();
using GetModuleVersionFunction = int (*)();
