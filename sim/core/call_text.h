// Call arguments as text, for the record of what a module told the simulator.
// Doubles take their shortest form that reads back to the same value, so a
// recorded call shows exactly what was passed.
#pragma once

#include <string>
#include <string_view>

#include "host/types.h"

namespace sim {

std::string ArgumentText(double value);
std::string ArgumentText(const VECTOR3& value);
std::string ArgumentText(bool value);
std::string ArgumentText(const char* value);  // quoted, or null
std::string ArgumentText(int value);
std::string ArgumentText(unsigned int value);
std::string ArgumentText(const TOUCHDOWNVTX& value);
std::string ArgumentText(AIRFOIL_ORIENTATION value);  // its name
// Code and context pointers show only whether they are set: their addresses
// change from run to run. Records that need them keep the pointers themselves.
std::string ArgumentText(AirfoilCoeffFunc value);  // function, or null
std::string ArgumentText(const void* value);       // pointer, or null

// "Name(a, b, c)".
template <typename... Arguments>
std::string CallText(std::string_view name, const Arguments&... arguments) {
  std::string text(name);
  text += '(';
  const char* separator = "";
  ((text += separator, text += ArgumentText(arguments), separator = ", "), ...);
  text += ')';
  return text;
}

}  // namespace sim
