// Output files appear whole or not at all: the text goes to a temporary file
// beside the target, which is renamed over it once complete.
#pragma once

#include <string>

namespace sim {

// Writes text to path; throws InputError naming path when it cannot, leaving
// no file behind.
void WriteFileWhole(const std::string& path, const std::string& text);

}  // namespace sim
