// The operating system as the simulator interface and its modules see it: the
// handle of a loaded module, the device context of the old drawing interface,
// the loader's notifications and its lookup of an export by name. On Windows
// these are the platform's own; elsewhere stand-ins of the same shape, served
// by the module's platform file.
#pragma once

#ifdef _WIN32

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// A module's own exports, and the simulator functions that the executable
// hosting modules exports to them (building the host defines
// VANTREL_HOST_EXPORTS; a module imports them through the host's import
// library).
#define MODULE_EXPORT __declspec(dllexport)
#ifdef VANTREL_HOST_EXPORTS
#define OAPIFUNC __declspec(dllexport)
#else
#define OAPIFUNC
#endif

#else

// The handle of a loaded module (its load base address) and a device context.
struct ModuleInstance;
struct DeviceContext;
using HINSTANCE = ModuleInstance*;
using HDC = DeviceContext*;

// Reasons for which the loader notifies a module.
enum : unsigned long {
  DLL_PROCESS_DETACH = 0,
  DLL_PROCESS_ATTACH = 1,
  DLL_THREAD_ATTACH = 2,
  DLL_THREAD_DETACH = 3,
};

// An export found by name, of a type the caller knows.
using FARPROC = void (*)();

// Finds a function among the exports of the given module itself: a function
// of that name in the executable or another library does not count.
FARPROC GetProcAddress(HINSTANCE module, const char* name);

// The executable exports its whole dynamic symbol table to the modules it
// loads, so the simulator's functions need no mark of their own.
#define MODULE_EXPORT __attribute__((visibility("default")))
#define OAPIFUNC

#endif
