// The simulator's add-on layout: a vessel class named C is configured by
// Config/Vessels/C.cfg under the installation's root, whose "Module = M" line
// names the module Modules/M.so (M.dll on Windows) that defines the class.
#pragma once

#include <string>

namespace sim {

// The path of the module that defines class_name under root; throws
// InputError when the class is unknown or its configuration names no module.
std::string ModulePathOfClass(const std::string& root, const std::string& class_name);

}  // namespace sim
