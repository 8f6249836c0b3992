// The system's own text for a Windows error code.
#pragma once

#include <string>

#include "host/system.h"

namespace sim {

// The message of the error code, without its line break.
std::string SystemErrorText(DWORD code);

}  // namespace sim
