#include "app/polar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

#include "app/svg.h"
#include "core/call_text.h"
#include "host/vessel.h"

namespace sim {

namespace {

// The simulator's Reynolds number for the calls; the ring's functions do not
// read it.
const double kReynoldsNumber = 1e6;
const double kRadiansPerDegree = 0.017453292519943295;
const double kMachSweepAngles[] = {0.0, 90.0};
const int kMachSteps = 300;  // Mach 0 to 3 by 0.01
const double kMachStepsPerUnit = 100.0;

struct Coefficient {
  const char* column;  // in the table
  const char* name;    // on the chart
  double PolarPoint::*value;
};
const Coefficient kCoefficients[] = {
    {"cl", "lift coefficient cl", &PolarPoint::lift},
    {"cm", "moment coefficient cm", &PolarPoint::moment},
    {"cd", "drag coefficient cd", &PolarPoint::drag},
};

// Airfoil colours; the Mach chart takes one a curve.
const char* const kColours[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728"};
// Identical curves are drawn in turns of this many pixels, so all show.
const double kSharedDash = 7;

// The page: three angle panels down the left, the Mach chart on the right.
const double kPageWidth = 1180;
const double kPageHeight = 660;
const double kAngleLeft = 90;
const double kAngleWidth = 470;
const double kAngleTop = 76;
const double kAnglePanelHeight = 128;
const double kAnglePanelPitch = 186;
const double kMachLeft = 690;
const double kMachWidth = 450;
const double kMachTop = 76;
const double kMachHeight = 430;

PolarPoint PointAt(const VesselObject& vessel, const AirfoilObject& airfoil, double degrees,
                   double mach) {
  PolarPoint point;
  point.angle_degrees = degrees;
  point.mach = mach;
  airfoil.coefficients(vessel.interface, degrees * kRadiansPerDegree, mach, kReynoldsNumber,
                       airfoil.context, &point.lift, &point.moment, &point.drag);
  return point;
}

std::string AirfoilName(const AirfoilObject& airfoil) {
  return airfoil.orientation == LIFT_VERTICAL ? "vertical" : "horizontal";
}

std::string Value(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

PlotPoints Points(const AirfoilPolar& polar, double PolarPoint::*x, double PolarPoint::*y) {
  PlotPoints points;
  for (const PolarPoint& point : polar.points) points.emplace_back(point.*x, point.*y);
  return points;
}

// The value every point has, if they all have one.
bool Constant(const PlotPoints& points, double& value) {
  if (points.empty()) return false;
  value = points.front().second;
  return std::all_of(points.begin(), points.end(),
                     [&](const auto& point) { return point.second == value; });
}

// The range of the finite values of the curves.
Axis ValueAxis(const std::vector<PlotPoints>& curves, int ticks) {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  for (const PlotPoints& curve : curves) {
    for (const auto& point : curve) {
      if (!std::isfinite(point.second)) continue;
      low = std::min(low, point.second);
      high = std::max(high, point.second);
    }
  }
  if (low > high) low = high = 0.0;
  return RoundAxis(low, high, ticks);
}

struct LegendEntry {
  std::string name;
  const char* colour;
  std::string dash;  // empty for a solid line
};

// Entries side by side, from x along the baseline y.
std::string LegendRow(double x, double y, const std::vector<LegendEntry>& entries) {
  std::string svg;
  for (const LegendEntry& entry : entries) {
    svg += SvgLine(x, y - 4, x + 26, y - 4, entry.colour, 2.2,
                   entry.dash.empty() ? nullptr : entry.dash.c_str());
    svg += SvgText(x + 32, y, entry.name);
    x += 48 + 6.4 * static_cast<double>(entry.name.size());
  }
  return svg;
}

// The curves on the panel. Curves with the same points take turns along
// their common line, each drawn in dashes offset from the others'.
std::string Curves(const PlotPanel& panel, const std::vector<PlotPoints>& curves,
                   std::vector<LegendEntry>& legend) {
  std::string svg;
  for (size_t i = 0; i < curves.size(); ++i) {
    const auto same = [&](const PlotPoints& other) { return other == curves[i]; };
    const auto before = std::count_if(curves.begin(), curves.begin() + static_cast<long>(i), same);
    const auto all = std::count_if(curves.begin(), curves.end(), same);
    if (all > 1) {
      legend[i].dash =
          SvgNumber(kSharedDash) + " " + SvgNumber(kSharedDash * static_cast<double>(all - 1));
    }
    svg += panel.Curve(curves[i], legend[i].colour, 2.2,
                       legend[i].dash.empty() ? nullptr : legend[i].dash.c_str(),
                       kSharedDash * static_cast<double>(before));
  }
  return svg;
}

std::string AnglePanel(const PolarSweep& sweep, const Coefficient& coefficient, double top,
                       bool last) {
  std::vector<PlotPoints> curves;
  std::vector<LegendEntry> legend;
  for (size_t i = 0; i < sweep.airfoils.size(); ++i) {
    const AirfoilPolar& polar = sweep.airfoils[i];
    curves.push_back(Points(polar, &PolarPoint::angle_degrees, coefficient.value));
    double value = 0.0;
    // A flat curve says its value: it may lie on a grid line or another curve.
    const std::string name = Constant(curves.back(), value)
                                 ? polar.name + ": " + Value(value) + " at every angle"
                                 : polar.name;
    legend.push_back({name, kColours[i % std::size(kColours)], ""});
  }
  const PlotPanel panel(kAngleLeft, top, kAngleWidth, kAnglePanelHeight, {-180, 180, 45},
                        ValueAxis(curves, 4));
  std::string svg = panel.Axes(last ? "angle of attack \u03b1 (degrees)" : "", coefficient.name);
  const std::string curves_svg = Curves(panel, curves, legend);
  return svg + curves_svg + LegendRow(kAngleLeft, top - 10, legend);
}

std::string MachChart(const std::vector<PolarSweep>& sweeps) {
  std::vector<PlotPoints> curves;
  std::vector<LegendEntry> legend;
  for (const PolarSweep& sweep : sweeps) {
    for (const AirfoilPolar& polar : sweep.airfoils) {
      curves.push_back(Points(polar, &PolarPoint::mach, &PolarPoint::drag));
      legend.push_back({polar.name + ", \u03b1 = " + Value(sweep.held) + "\u00b0",
                        kColours[legend.size() % std::size(kColours)], ""});
    }
  }
  const PlotPanel panel(kMachLeft, kMachTop, kMachWidth, kMachHeight, {0, 3, 0.5},
                        ValueAxis(curves, 8));
  std::string svg = panel.Axes("Mach number", "drag coefficient cd");
  svg += Curves(panel, curves, legend);
  for (size_t i = 0; i < legend.size(); ++i) {
    const double x = kMachLeft + static_cast<double>(i % 2) * 225;
    const double y = kMachTop + kMachHeight + 62 + std::floor(static_cast<double>(i) / 2) * 20;
    svg += LegendRow(x, y, {legend[i]});
  }
  return svg;
}

// Every row of the table starts with the sweep and the point's place.
void AppendRows(const PolarSweep& sweep, std::string& text) {
  const char* name = sweep.variable == PolarSweep::Variable::kAngle ? "angle" : "mach";
  const size_t rows = sweep.airfoils.empty() ? 0 : sweep.airfoils.front().points.size();
  for (size_t row = 0; row < rows; ++row) {
    const PolarPoint& place = sweep.airfoils.front().points[row];
    text += std::string(name) + "," + ArgumentText(place.angle_degrees) + "," +
            ArgumentText(place.mach);
    for (const AirfoilPolar& polar : sweep.airfoils) {
      for (const Coefficient& coefficient : kCoefficients) {
        text += "," + ArgumentText(polar.points[row].*coefficient.value);
      }
    }
    text += "\n";
  }
}

}  // namespace

Polars ComputePolars(const VesselObject& vessel, double mach) {
  Polars polars;
  polars.angle.held = mach;
  for (const auto& airfoil : vessel.airfoils) {
    AirfoilPolar polar{AirfoilName(*airfoil), {}};
    for (int degrees = -180; degrees <= 180; ++degrees) {
      polar.points.push_back(PointAt(vessel, *airfoil, degrees, mach));
    }
    polars.angle.airfoils.push_back(std::move(polar));
  }
  for (double degrees : kMachSweepAngles) {
    PolarSweep sweep{PolarSweep::Variable::kMach, degrees, {}};
    for (const auto& airfoil : vessel.airfoils) {
      AirfoilPolar polar{AirfoilName(*airfoil), {}};
      for (int step = 0; step <= kMachSteps; ++step) {
        polar.points.push_back(PointAt(vessel, *airfoil, degrees, step / kMachStepsPerUnit));
      }
      sweep.airfoils.push_back(std::move(polar));
    }
    polars.mach.push_back(std::move(sweep));
  }
  return polars;
}

std::string PolarCsv(const Polars& polars) {
  std::string text = "sweep,angle_deg,mach";
  for (const AirfoilPolar& polar : polars.angle.airfoils) {
    for (const Coefficient& coefficient : kCoefficients) {
      text += "," + polar.name + " " + coefficient.column;
    }
  }
  text += "\n";
  AppendRows(polars.angle, text);
  for (const PolarSweep& sweep : polars.mach) AppendRows(sweep, text);
  return text;
}

std::string PolarSvg(const Polars& polars) {
  TextStyle heading;
  heading.size = 16;
  heading.weight = "bold";
  std::string svg =
      SvgStart(kPageWidth, kPageHeight) +
      SvgText(
          kAngleLeft - 60, 30,
          "Airfoil coefficients against the angle of attack, at Mach " + Value(polars.angle.held),
          heading) +
      SvgText(kMachLeft - 60, 30, "Drag against the Mach number: the wave drag", heading);
  for (size_t i = 0; i < std::size(kCoefficients); ++i) {
    svg += AnglePanel(polars.angle, kCoefficients[i],
                      kAngleTop + static_cast<double>(i) * kAnglePanelPitch,
                      i + 1 == std::size(kCoefficients));
  }
  return svg + MachChart(polars.mach) + SvgEnd();
}

}  // namespace sim
