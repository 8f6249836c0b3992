#include "app/mass_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "app/text_formats.h"

namespace sim {

namespace {

const double kWidth = 900;
const double kHeight = 470;
const double kLeft = 90;
const double kTop = 64;
const double kPlotWidth = 770;
const double kPlotHeight = 320;
const double kLabelPitch = 16;
const double kCharacterWidth = 6.8;  // about, at the labels' size
const char* const kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd"};
const char kReleaseColour[] = "#555555";

std::string Kilograms(double mass, const char* format = "%.6g kg") {
  char text[48];
  std::snprintf(text, sizeof text, format, mass);
  return text;
}

std::string Seconds(double time) {
  char text[48];
  std::snprintf(text, sizeof text, "%.2f s", time);
  return text;
}

double LastTime(const TraceStretch& stretch) {
  return stretch.first_time + static_cast<double>(stretch.steps - 1) * stretch.step_length;
}

// A line at each release, and its label in rows below the panel's top, each
// in the first row where it does not run into the one before it. The labels
// go on top of everything.
struct Marks {
  std::string lines;
  std::string labels;
};

void AddReleaseMarks(const PlotPanel& panel, const std::vector<ReleaseRecord>& releases,
                     const char* colour, std::vector<double>& row_ends, Marks& marks) {
  for (const ReleaseRecord& release : releases) {
    const double x = panel.X(release.time);
    const std::string label = release.payload + " " + Kilograms(release.mass) + " off " +
                              release.port + " at " + Seconds(release.time);
    const double width = kCharacterWidth * static_cast<double>(DisplayWidth(label));
    const bool on_left = x + 4 + width > panel.right();
    const double start = on_left ? x - 4 - width : x + 4;
    size_t row = 0;
    while (row < row_ends.size() && row_ends[row] > start) ++row;
    if (row == row_ends.size()) row_ends.push_back(0.0);
    row_ends[row] = start + width + 8;
    marks.lines += SvgLine(x, panel.top(), x, panel.bottom(), colour, 1.2, "5 4");
    TextStyle style;
    style.anchor = on_left ? "end" : "start";
    style.size = 11;
    style.fill = colour;
    style.halo = true;
    marks.labels +=
        SvgText(on_left ? x - 4 : x + 4, panel.top() + 14 + static_cast<double>(row) * kLabelPitch,
                label, style);
  }
}

}  // namespace

PlotPoints MassSteps(const RunTrace& trace, size_t vessel) {
  PlotPoints points;
  for (const TraceStretch& stretch : trace.stretches) {
    if (vessel >= stretch.vessels.size()) continue;
    const double mass = stretch.vessels[vessel].empty_mass;
    if (!points.empty()) points.emplace_back(stretch.first_time, points.back().second);
    points.emplace_back(stretch.first_time, mass);
    if (stretch.steps > 1) points.emplace_back(LastTime(stretch), mass);
  }
  return points;
}

std::string MassPlotSvg(const RunTrace& trace, const std::vector<RingRecord>& rings) {
  const size_t vessels = trace.stretches.empty() ? 0 : trace.stretches.front().vessels.size();
  std::vector<PlotPoints> curves;
  double end_time = 0.0;
  double heaviest = 0.0;
  for (size_t vessel = 0; vessel < vessels; ++vessel) {
    curves.push_back(MassSteps(trace, vessel));
    for (const auto& [time, mass] : curves.back()) {
      end_time = std::max(end_time, time);
      if (std::isfinite(mass)) heaviest = std::max(heaviest, mass);
    }
  }
  const PlotPanel panel(kLeft, kTop, kPlotWidth, kPlotHeight, RoundAxis(0.0, end_time * 1.04, 10),
                        RoundAxis(0.0, heaviest * 1.08, 6));
  TextStyle heading;
  heading.size = 16;
  heading.weight = "bold";
  std::string svg = SvgStart(kWidth, kHeight) +
                    SvgText(kLeft, 30, "Empty mass over the run", heading) +
                    panel.Axes("time (s)", "empty mass (kg)");
  std::vector<double> label_rows;
  Marks marks;
  std::string curves_svg;
  std::string legend;
  const double legend_y = kTop + kPlotHeight + 66;
  double legend_x = kLeft;
  for (size_t vessel = 0; vessel < vessels; ++vessel) {
    const char* colour = kColours[vessel % std::size(kColours)];
    const std::string& name = trace.stretches.front().vessels[vessel].vessel;
    for (const RingRecord& ring : rings) {
      if (ring.vessel == name) {
        AddReleaseMarks(panel, ring.releases, vessels > 1 ? colour : kReleaseColour, label_rows,
                        marks);
      }
    }
    curves_svg += panel.Curve(curves[vessel], colour, 2.4);
    const auto& [time, mass] = curves[vessel].back();
    curves_svg += "<circle cx=\"" + SvgNumber(panel.X(time)) + "\" cy=\"" +
                  SvgNumber(panel.Y(mass)) + "\" r=\"3.5\" fill=\"" + colour + "\"/>\n";
    TextStyle end_style;
    end_style.fill = colour;
    end_style.weight = "bold";
    end_style.halo = true;
    curves_svg +=
        SvgText(panel.X(time) + 8, panel.Y(mass) + 4, Kilograms(mass, "%.2f kg"), end_style);
    const std::string entry = name + " empty mass";
    legend += SvgLine(legend_x, legend_y - 4, legend_x + 26, legend_y - 4, colour, 2.4) +
              SvgText(legend_x + 32, legend_y, entry);
    legend_x += 60 + kCharacterWidth * static_cast<double>(DisplayWidth(entry));
  }
  const double release_x = legend_x;
  legend += SvgLine(release_x, legend_y - 10, release_x, legend_y + 4, kReleaseColour, 1.2, "5 4") +
            SvgText(release_x + 8, legend_y, "release: payload, its mass, port and time");
  return svg + marks.lines + curves_svg + marks.labels + legend + SvgEnd();
}

}  // namespace sim
