#include "app/hud_svg.h"

#include <cmath>
#include <cstdio>

namespace sim {

namespace {

// The simulator's colours are 0xBBGGRR.
std::string RgbText(unsigned int colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFFU, (colour >> 8) & 0xFFU,
                (colour >> 16) & 0xFFU);
  return text;
}

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:  // control characters have no place in XML text
        escaped += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
  }
  return escaped;
}

}  // namespace

std::string HudSvg(const std::vector<SketchpadCall>& calls, int width, int height) {
  // The HUD font grows with the drawing area's height, as the lines' spacing
  // does; a text's position is its top left corner.
  const int font_size = std::max(8, static_cast<int>(std::lround(height * 0.00130208 * 14.0)));
  const int ascent = static_cast<int>(std::lround(font_size * 0.8));
  const std::string w = std::to_string(width);
  const std::string h = std::to_string(height);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
                    "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
  svg += "<rect width=\"" + w + "\" height=\"" + h + "\" fill=\"black\"/>\n";
  unsigned int colour = 0;
  for (const SketchpadCall& call : calls) {
    if (call.kind == SketchpadCall::Kind::kSetTextColor) {
      colour = call.colour;
      continue;
    }
    svg += "<text x=\"" + std::to_string(call.x) + "\" y=\"" + std::to_string(call.y + ascent) +
           "\" fill=\"" + RgbText(colour) + "\" font-family=\"monospace\" font-size=\"" +
           std::to_string(font_size) + "\" xml:space=\"preserve\">" + Escaped(call.Text()) +
           "</text>\n";
  }
  return svg + "</svg>\n";
}

}  // namespace sim
