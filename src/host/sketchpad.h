// The simulator's drawing surface, as handed to HUD callbacks.
#pragma once

namespace oapi {

class Sketchpad {
 public:
  // Sets the colour of the text drawn next (0xBBGGRR); gives the previous one.
  virtual unsigned int SetTextColor(unsigned int colour) = 0;
  // Draws len characters of text with its reference point at (x, y).
  virtual bool Text(int x, int y, const char* text, int len) = 0;

 protected:
  Sketchpad() = default;
  Sketchpad(const Sketchpad&) = default;
  Sketchpad(Sketchpad&&) = default;
  Sketchpad& operator=(const Sketchpad&) = default;
  Sketchpad& operator=(Sketchpad&&) = default;
  ~Sketchpad() = default;  // the simulator owns every surface; modules never delete one
};

}  // namespace oapi
