// The simulator's free functions that a vessel module calls. The simulator's
// executable exports them; a module leaves them undefined and the loader binds
// them when the module is opened.
#pragma once

#include "host/types.h"

// Objects.
OAPIFUNC double oapiGetMass(VesselHandle vessel);
OAPIFUNC void oapiGetObjectName(VesselHandle vessel, char* name, int size);

// Scenario files. A scenario handle stands for a vessel's block being read or
// written.
OAPIFUNC bool oapiReadScenario_nextline(void* scenario, char*& line);
OAPIFUNC void oapiWriteScenario_string(void* scenario, char* key, char* value);

// Drag terms for airfoil coefficient functions.
OAPIFUNC double oapiGetInducedDrag(double cl, double aspect_ratio, double efficiency);
OAPIFUNC double oapiGetWaveDrag(double mach, double mach1, double mach2, double mach3,
                                double cd_max);

// Module support.
OAPIFUNC void InitLib(HINSTANCE module);
OAPIFUNC int Date2Int(char* date);
