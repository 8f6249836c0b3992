// A drawing surface that draws nothing and records every call made on it, in
// order. Texts are copied into fixed buffers, so once the record has grown to
// a frame's size, recording further frames after Clear() allocates nothing.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "host/sketchpad.h"

namespace sim {

struct SketchpadCall {
  enum class Kind { kSetTextColor, kText };
  static constexpr int kTextCapacity = 256;

  Kind kind = Kind::kText;
  unsigned long number = 0;  // the call's place among the host's numbered calls
  unsigned int colour = 0;   // kSetTextColor
  int x = 0;                 // kText: position, length as passed, and the text
  int y = 0;
  int length = 0;
  std::array<char, kTextCapacity> text{};

  // The recorded characters (at most kTextCapacity of them).
  std::string_view Text() const;
};

class RecordingSketchpad final : public oapi::Sketchpad {
 public:
  unsigned int SetTextColor(unsigned int colour) override;
  bool Text(int x, int y, const char* text, int len) override;

  const std::vector<SketchpadCall>& calls() const { return calls_; }
  // Forgets the calls but keeps the room they took.
  void Clear() { calls_.clear(); }

 private:
  std::vector<SketchpadCall> calls_;
  unsigned int colour_ = 0;
};

}  // namespace sim
