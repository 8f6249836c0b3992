#include "app/ring_svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "app/svg.h"
#include "app/text_formats.h"

namespace sim {

namespace {

// A tier's panel: the ring in the middle, a box a port around it.
const double kPanelWidth = 420;
const double kPanelHeight = 320;
const double kMargin = 20;
const double kRingRadius = 36;
const double kBoxWidth = 148;
const double kBoxHeight = 56;
const double kBoxOffsetX = 122;  // from the ring's centre to a box's centre
const double kBoxOffsetY = 100;
const double kHeader = 58;  // the ring's title above its tiers
const double kFooter = 60;  // the legend below
// Characters that fit on a box's line, about.
const size_t kBoxCharacters = 21;
// Ports within a millimetre along the axis share a tier.
const double kTierTolerance = 1e-3;

const char kAttachedFill[] = "#dbeafe";
const char kAttachedStroke[] = "#1f77b4";
const char kEmptyStroke[] = "#9a9a9a";
const char kReleasedFill[] = "#f1f1f1";
const char kSelectedStroke[] = "#ff7f0e";
const char kTextColour[] = "#222222";
const char kMutedText[] = "#666666";

std::string Formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A place along the axis, signed: "+1.09 m", "0 m".
std::string AxialPlace(double z) {
  return (std::fabs(z) < 5e-4 ? std::string("0") : Formatted("%+.3g", z)) + " m";
}

std::string Mass(double kilograms) { return Formatted("%.6g", kilograms) + " kg"; }

std::string Rect(double x, double y, double width, double height, const char* fill,
                 const char* stroke, double stroke_width, const char* dash = nullptr) {
  std::string svg = "<rect x=\"" + SvgNumber(x) + "\" y=\"" + SvgNumber(y) + "\" width=\"" +
                    SvgNumber(width) + "\" height=\"" + SvgNumber(height) + "\" rx=\"6\" fill=\"" +
                    fill + "\" stroke=\"" + stroke + "\" stroke-width=\"" +
                    SvgNumber(stroke_width) + "\"";
  if (dash != nullptr) svg += " stroke-dasharray=\"" + std::string(dash) + "\"";
  return svg + "/>\n";
}

TextStyle Style(double size, const char* fill, const char* weight = "normal",
                const char* anchor = "start") {
  TextStyle style;
  style.size = size;
  style.fill = fill;
  style.weight = weight;
  style.anchor = anchor;
  return style;
}

// The direction in the picture: the axis points at the viewer, +x to the
// right, +y up. A port pointing along the axis is drawn by its position.
void PictureDirection(const PortRecord& port, double& dx, double& dy) {
  double x = port.direction.x;
  double y = port.direction.y;
  if (std::hypot(x, y) < 1e-9) {
    x = port.position.x;
    y = port.position.y;
  }
  const double length = std::hypot(x, y);
  dx = length > 1e-9 ? x / length : 0.0;
  dy = length > 1e-9 ? -y / length : 1.0;
}

// One port: the spoke from its place on the ring out to its box.
std::string Port(const PortRecord& port, const std::vector<ReleaseRecord>& releases, bool selected,
                 double cx, double cy, double radius_scale) {
  double dx = 0.0;
  double dy = 0.0;
  PictureDirection(port, dx, dy);
  const double px = cx + port.position.x * radius_scale;
  const double py = cy - port.position.y * radius_scale;
  const double bx = cx + dx * kBoxOffsetX;
  const double by = cy + dy * kBoxOffsetY;
  const double left = bx - kBoxWidth / 2;
  const double top = by - kBoxHeight / 2;
  const bool attached = !port.payload.empty();
  const ReleaseRecord* released = nullptr;
  for (const ReleaseRecord& release : releases) {
    if (release.port == port.id) released = &release;
  }

  std::string svg = SvgLine(px, py, bx - dx * kBoxWidth / 2 * 0.9, by - dy * kBoxHeight / 2 * 0.9,
                            attached ? kAttachedStroke : kEmptyStroke, 2.0);
  svg += "<circle cx=\"" + SvgNumber(px) + "\" cy=\"" + SvgNumber(py) + "\" r=\"4\" fill=\"" +
         (attached ? kAttachedStroke : kEmptyStroke) + "\"/>\n";
  if (attached) {
    svg += Rect(left, top, kBoxWidth, kBoxHeight, kAttachedFill, kAttachedStroke, 1.5);
  } else {
    svg += Rect(left, top, kBoxWidth, kBoxHeight, released != nullptr ? kReleasedFill : "white",
                kEmptyStroke, 1.2, "4 3");
  }
  if (selected) {
    svg += Rect(left - 3, top - 3, kBoxWidth + 6, kBoxHeight + 6, "none", kSelectedStroke, 3.0);
    svg += SvgText(left + kBoxWidth - 8, top + 17, "selected",
                   Style(11, kSelectedStroke, "bold", "end"));
  }
  svg += SvgText(left + 8, top + 17, port.id, Style(13, kTextColour, "bold"));
  if (attached) {
    svg += SvgText(left + 8, top + 33, CutToWidth(port.payload, kBoxCharacters - 2),
                   Style(12, kTextColour));
    svg += SvgText(left + 8, top + 48, Mass(port.payload_mass), Style(11, kMutedText));
  } else if (released != nullptr) {
    const std::string mass = " (" + Mass(released->mass) + ")";
    svg += SvgText(left + 8, top + 33,
                   CutToWidth(released->payload, kBoxCharacters - DisplayWidth(mass)) + mass,
                   Style(11, kMutedText));
    svg += SvgText(left + 8, top + 48,
                   "released " + Formatted("%.2f", released->time) + " s, " +
                       Formatted("%.3g", released->velocity) + " m/s",
                   Style(11, kMutedText));
  } else {
    svg += SvgText(left + 8, top + 33, "empty", Style(12, kMutedText));
  }
  return svg;
}

// The ports grouped by their place along the axis, the highest tier first.
std::vector<std::vector<const PortRecord*>> Tiers(const RingRecord& ring) {
  std::vector<std::vector<const PortRecord*>> tiers;
  std::vector<double> heights;
  for (const PortRecord& port : ring.ports) {
    size_t tier = 0;
    while (tier < heights.size() && std::fabs(heights[tier] - port.position.z) > kTierTolerance) {
      ++tier;
    }
    if (tier == heights.size()) {
      heights.push_back(port.position.z);
      tiers.emplace_back();
    }
    tiers[tier].push_back(&port);
  }
  std::vector<size_t> order(tiers.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return heights[a] > heights[b]; });
  std::vector<std::vector<const PortRecord*>> sorted;
  sorted.reserve(order.size());
  for (size_t i : order) sorted.push_back(tiers[i]);
  return sorted;
}

double RingHeight() { return kHeader + kPanelHeight + kFooter; }

std::string Legend(double x, double y) {
  std::string svg = Rect(x, y - 11, 22, 14, kAttachedFill, kAttachedStroke, 1.5) +
                    SvgText(x + 28, y, "payload attached (name, mass)");
  x += 230;
  svg += Rect(x, y - 11, 22, 14, "white", kEmptyStroke, 1.2, "4 3") + SvgText(x + 28, y, "empty");
  x += 80;
  svg += Rect(x, y - 11, 22, 14, kReleasedFill, kEmptyStroke, 1.2, "4 3") +
         SvgText(x + 28, y, "released (payload, time, release velocity)");
  x += 300;
  svg +=
      Rect(x, y - 11, 22, 14, "none", kSelectedStroke, 3.0) + SvgText(x + 28, y, "selected port");
  return svg;
}

std::string Ring(const RingRecord& ring, double top) {
  const std::vector<std::vector<const PortRecord*>> tiers = Tiers(ring);
  double widest = 0.0;  // the ports' distance from the axis, for the ring's size
  for (const PortRecord& port : ring.ports) {
    widest = std::max(widest, std::hypot(port.position.x, port.position.y));
  }
  const double radius_scale = widest > 1e-9 ? kRingRadius / widest : 0.0;
  double attached_mass = 0.0;
  size_t attached = 0;
  for (const PortRecord& port : ring.ports) {
    if (port.payload.empty()) continue;
    ++attached;
    attached_mass += port.payload_mass;
  }

  std::string svg = SvgText(kMargin, top + 28, ring.vessel, Style(18, kTextColour, "bold"));
  svg += SvgText(kMargin + 12 + 11 * static_cast<double>(ring.vessel.size()), top + 28,
                 "empty mass " + Mass(ring.empty_mass) + " \u00b7 " + std::to_string(attached) +
                     " of " + std::to_string(ring.ports.size()) + " ports hold payloads (" +
                     Mass(attached_mass) + ") \u00b7 " + std::to_string(ring.releases.size()) +
                     " released",
                 Style(13, kMutedText));
  svg += SvgText(kMargin, top + 48,
                 "Each tier seen along the ring's axis (z toward the viewer, +x right, +y up); "
                 "ports drawn in their outward directions.",
                 Style(11, kMutedText));
  for (size_t t = 0; t < tiers.size(); ++t) {
    const double left = kMargin + static_cast<double>(t) * kPanelWidth;
    const double panel_top = top + kHeader;
    const double cx = left + kPanelWidth / 2;
    const double cy = panel_top + 24 + (kPanelHeight - 24) / 2;
    svg += "<rect x=\"" + SvgNumber(left + 4) + "\" y=\"" + SvgNumber(panel_top) + "\" width=\"" +
           SvgNumber(kPanelWidth - 8) + "\" height=\"" + SvgNumber(kPanelHeight) +
           "\" rx=\"10\" fill=\"#fafafa\" stroke=\"#e2e2e2\"/>\n";
    svg += SvgText(
        left + 16, panel_top + 20,
        "tier " + std::to_string(t + 1) + " \u00b7 z = " + AxialPlace(tiers[t].front()->position.z),
        Style(12, kMutedText, "bold"));
    svg += "<circle cx=\"" + SvgNumber(cx) + "\" cy=\"" + SvgNumber(cy) + "\" r=\"" +
           SvgNumber(kRingRadius) + "\" fill=\"none\" stroke=\"#b8b8b8\" stroke-width=\"9\"/>\n";
    svg += SvgLine(cx - 5, cy, cx + 5, cy, "#999999") + SvgLine(cx, cy - 5, cx, cy + 5, "#999999");
    for (const PortRecord* port : tiers[t]) {
      svg += Port(*port, ring.releases, port->id == ring.selected, cx, cy, radius_scale);
    }
  }
  return svg + Legend(kMargin + 8, top + kHeader + kPanelHeight + 34);
}

}  // namespace

std::string RingSvg(const std::vector<RingRecord>& rings) {
  size_t columns = 1;
  for (const RingRecord& ring : rings) columns = std::max(columns, Tiers(ring).size());
  const double width = std::max(3.0, static_cast<double>(columns)) * kPanelWidth + 2 * kMargin;
  const double height = static_cast<double>(std::max<size_t>(1, rings.size())) * RingHeight();
  std::string svg = SvgStart(width, height);
  for (size_t i = 0; i < rings.size(); ++i) {
    svg += Ring(rings[i], static_cast<double>(i) * RingHeight());
  }
  if (rings.empty()) {
    svg += SvgText(kMargin, 40, "No vessel of a module's class in the scenario.",
                   Style(14, kMutedText));
  }
  return svg + SvgEnd();
}

}  // namespace sim
