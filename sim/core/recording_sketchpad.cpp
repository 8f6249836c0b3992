#include "core/recording_sketchpad.h"

#include <algorithm>
#include <cstring>

#include "core/world.h"

namespace sim {

std::string_view SketchpadCall::Text() const {
  return {text.data(), static_cast<std::size_t>(std::clamp(length, 0, kTextCapacity))};
}

unsigned int RecordingSketchpad::SetTextColor(unsigned int colour) {
  SketchpadCall& call = calls_.emplace_back();
  call.kind = SketchpadCall::Kind::kSetTextColor;
  call.number = world().NextCallNumber();
  call.colour = colour;
  const unsigned int previous = colour_;
  colour_ = colour;
  return previous;
}

// Reads exactly len characters, as a real surface would draw them.
bool RecordingSketchpad::Text(int x, int y, const char* text, int len) {
  SketchpadCall& call = calls_.emplace_back();
  call.kind = SketchpadCall::Kind::kText;
  call.number = world().NextCallNumber();
  call.x = x;
  call.y = y;
  call.length = len;
  const int recorded = std::clamp(len, 0, SketchpadCall::kTextCapacity);
  if (recorded > 0) std::memcpy(call.text.data(), text, static_cast<std::size_t>(recorded));
  return true;
}

}  // namespace sim
