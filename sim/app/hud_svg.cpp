#include "app/hud_svg.h"

#include <cmath>
#include <cstdio>

#include "app/text_formats.h"

namespace sim {

namespace {

// The caption strip below the HUD area, in pixels.
const int kCaptionHeight = 32;

// The simulator's colours are 0xBBGGRR.
std::string RgbText(unsigned int colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFFU, (colour >> 8) & 0xFFU,
                (colour >> 16) & 0xFFU);
  return text;
}

// The HUD area at the top left: black, with the texts drawn on it.
std::string HudArea(const std::vector<SketchpadCall>& calls, int width, int height) {
  // The HUD font grows with the drawing area's height, as the lines' spacing
  // does; a text's position is its top left corner.
  const int font_size = std::max(8, static_cast<int>(std::lround(height * 0.00130208 * 14.0)));
  const int ascent = static_cast<int>(std::lround(font_size * 0.8));
  std::string svg = "<rect width=\"" + std::to_string(width) + "\" height=\"" +
                    std::to_string(height) + "\" fill=\"black\"/>\n";
  unsigned int colour = 0;
  for (const SketchpadCall& call : calls) {
    if (call.kind == SketchpadCall::Kind::kSetTextColor) {
      colour = call.colour;
      continue;
    }
    svg += "<text x=\"" + std::to_string(call.x) + "\" y=\"" + std::to_string(call.y + ascent) +
           "\" fill=\"" + RgbText(colour) + "\" font-family=\"monospace\" font-size=\"" +
           std::to_string(font_size) + "\" xml:space=\"preserve\">" + XmlText(call.Text()) +
           "</text>\n";
  }
  return svg;
}

std::string SvgStart(int width, int height) {
  const std::string w = std::to_string(width);
  const std::string h = std::to_string(height);
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
}

}  // namespace

std::string HudSvg(const std::vector<SketchpadCall>& calls, int width, int height) {
  return SvgStart(width, height) + HudArea(calls, width, height) + "</svg>\n";
}

std::string HudFrameSvg(const HudFrame& frame) {
  char caption[160];
  std::snprintf(caption, sizeof caption,
                " \u00b7 t = %.2f s \u00b7 HUD %d \u00d7 %d \u00b7 mode %d", frame.time,
                frame.width, frame.height, frame.mode);
  const std::string y = std::to_string(frame.height);
  return SvgStart(frame.width, frame.height + kCaptionHeight) +
         HudArea(frame.calls, frame.width, frame.height) + "<rect y=\"" + y + "\" width=\"" +
         std::to_string(frame.width) + "\" height=\"" + std::to_string(kCaptionHeight) +
         "\" fill=\"#eeeeee\"/>\n<text x=\"10\" y=\"" +
         std::to_string(frame.height + kCaptionHeight * 2 / 3) +
         "\" font-family=\"sans-serif\" font-size=\"16\" fill=\"#222222\">" +
         XmlText(frame.vessel) + caption + "</text>\n</svg>\n";
}

}  // namespace sim
