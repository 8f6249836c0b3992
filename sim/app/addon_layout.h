// The simulator's add-on layout: a vessel class named C is configured by
// Config/Vessels/C.cfg under the installation's root, whose "Module = M" line
// names the module Modules/M.so that defines the class.
#pragma once

#include <string>
#include <string_view>

namespace sim {

// A class or module name is a plain name: letters, digits, '_' and '-', in
// parts separated by '/' (the simulator's sub-folders); never absolute,
// never an empty part, '.' or "..". So every configuration lies under
// <root>/Config/Vessels and every module under <root>/Modules.
bool IsPlainName(std::string_view name);

// The path of the module that defines class_name under root; throws
// InputError when the class is unknown, either name is not plain, or the
// configuration names no module. Opens no module.
std::string ModulePathOfClass(const std::string& root, const std::string& class_name);

// The add-on root of the running program: the folder holding it when that
// has a Modules/ folder (the build tree), else the folder above it (bin/ of
// an installed tree). Found from the program's own path, so the tree can be
// moved anywhere; empty when the program cannot tell where it is.
std::string AddonRootOfProgram();

}  // namespace sim
