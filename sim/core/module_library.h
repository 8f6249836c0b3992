// The operating system's side of loading a vessel module: open and close the
// library, find its load base and its own exports. One implementation per
// platform.
#pragma once

#include <string>

#include "host/types.h"

namespace sim::library {

// Opens the library at path and binds every simulator function it imports;
// on failure gives null and says why in error.
void* Open(const std::string& path, std::string& error);
void Close(void* library);
// The library's instance handle: its load base address.
HINSTANCE Instance(void* library);
// The address of the export name of the library itself, or null: an export of
// another library or of the executable does not count.
void* FindOwnExport(void* library, const char* name);

}  // namespace sim::library
