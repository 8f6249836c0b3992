// Where code lives in the running process, for tests that check which module
// answers a call, and where a module's allocations go.
#pragma once

// The load base of the module (executable or library) that holds address, or
// null when no module does.
const void* ModuleBaseOf(const void* address);

// The function that a call through entry reaches. A Windows DLL calls an
// imported function through a jump of its own that reads the import table,
// and that jump's address is what the DLL's tables hold; elsewhere the entry
// is the function itself.
const void* FunctionBehind(const void* entry);

// Sends the allocations of the module loaded at base through the test heap's
// probe. On ELF systems they come to the executable's operator new already; a
// Windows DLL calls the C run-time's malloc and free through its import
// table, whose two entries are redirected to the probe.
void RouteModuleHeapThroughProbe(const void* base);
