#include "core/call_text.h"

#include <array>
#include <charconv>

namespace sim {

std::string ArgumentText(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return {buffer.data(), result.ptr};
}

std::string ArgumentText(const VECTOR3& value) {
  return "(" + ArgumentText(value.x) + ", " + ArgumentText(value.y) + ", " + ArgumentText(value.z) +
         ")";
}

std::string ArgumentText(bool value) { return value ? "true" : "false"; }

std::string ArgumentText(const char* value) {
  return value != nullptr ? "\"" + std::string(value) + "\"" : "null";
}

std::string ArgumentText(int value) { return std::to_string(value); }

std::string ArgumentText(unsigned int value) { return std::to_string(value); }

std::string ArgumentText(const TOUCHDOWNVTX& value) {
  return "{" + ArgumentText(value.pos) + ", " + ArgumentText(value.stiffness) + ", " +
         ArgumentText(value.damping) + ", " + ArgumentText(value.mu) + ", " +
         ArgumentText(value.mu_lng) + "}";
}

std::string ArgumentText(AIRFOIL_ORIENTATION value) {
  switch (value) {
    case LIFT_VERTICAL:
      return "LIFT_VERTICAL";
    case LIFT_HORIZONTAL:
      return "LIFT_HORIZONTAL";
  }
  return std::to_string(static_cast<int>(value));
}

std::string ArgumentText(AirfoilCoeffFunc value) { return value != nullptr ? "function" : "null"; }

std::string ArgumentText(const void* value) { return value != nullptr ? "pointer" : "null"; }

}  // namespace sim
