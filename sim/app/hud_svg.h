// A HUD frame as an SVG picture: the drawing area, and each text that was
// drawn on it at its position, in the colour set before it.
#pragma once

#include <string>
#include <vector>

#include "core/recording_sketchpad.h"

namespace sim {

std::string HudSvg(const std::vector<SketchpadCall>& calls, int width, int height);

}  // namespace sim
