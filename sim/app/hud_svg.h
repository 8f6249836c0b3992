// A HUD frame as an SVG picture: the drawing area, and each text that was
// drawn on it at its position, in the colour set before it.
#pragma once

#include <string>
#include <vector>

#include "core/recording_sketchpad.h"

namespace sim {

std::string HudSvg(const std::vector<SketchpadCall>& calls, int width, int height);

// A frame that a hud event of a run drew, and what the caption says of it.
struct HudFrame {
  std::string vessel;
  double time = 0.0;  // seconds
  int width = 0;
  int height = 0;
  int mode = 0;
  std::vector<SketchpadCall> calls;
};

// The frame with a caption strip below the HUD area: vessel, time, HUD size
// and mode.
std::string HudFrameSvg(const HudFrame& frame);

}  // namespace sim
