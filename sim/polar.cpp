#include "polar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "call_text.h"
#include "host/vessel.h"

namespace sim {

namespace {

// The simulator's Reynolds number for the calls; the ring's functions do not
// read it.
const double kReynoldsNumber = 1e6;
const double kDegree = 0.017453292519943295;

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

}  // namespace

std::vector<AirfoilPolar> ComputePolars(const VesselObject& vessel, double mach) {
  std::vector<AirfoilPolar> polars;
  for (const auto& airfoil : vessel.airfoils) {
    AirfoilPolar polar;
    polar.name = airfoil->orientation == LIFT_VERTICAL ? "vertical" : "horizontal";
    for (int degrees = -180; degrees <= 180; ++degrees) {
      PolarPoint point;
      point.angle_degrees = degrees;
      airfoil->coefficients(vessel.interface, degrees * kDegree, mach, kReynoldsNumber,
                            airfoil->context, &point.lift, &point.moment, &point.drag);
      polar.points.push_back(point);
    }
    polars.push_back(std::move(polar));
  }
  return polars;
}

std::string PolarCsv(const std::vector<AirfoilPolar>& polars) {
  std::string text = "angle_deg";
  for (const AirfoilPolar& polar : polars) {
    for (const char* coefficient : {"cl", "cm", "cd"}) {
      text += "," + polar.name + " " + coefficient;
    }
  }
  text += "\n";
  const size_t rows = polars.empty() ? 0 : polars.front().points.size();
  for (size_t row = 0; row < rows; ++row) {
    text += Number(polars.front().points[row].angle_degrees);
    for (const AirfoilPolar& polar : polars) {
      const PolarPoint& point = polar.points[row];
      text += "," + ArgumentText(point.lift) + "," + ArgumentText(point.moment) + "," +
              ArgumentText(point.drag);
    }
    text += "\n";
  }
  return text;
}

std::string PolarSvg(const std::vector<AirfoilPolar>& polars, double mach) {
  const double width = 800;
  const double height = 500;
  const double left = 70;
  const double right = 200;  // room for the legend
  const double top = 40;
  const double bottom = 50;
  double low = 0.0;
  double high = 0.0;
  for (const AirfoilPolar& polar : polars) {
    for (const PolarPoint& point : polar.points) {
      for (double value : {point.lift, point.moment, point.drag}) {
        if (std::isfinite(value)) {
          low = std::min(low, value);
          high = std::max(high, value);
        }
      }
    }
  }
  if (high - low < 1e-9) high = low + 1.0;
  const double plot_width = width - left - right;
  const double plot_height = height - top - bottom;
  const auto x_of = [&](double degrees) { return left + (degrees + 180.0) / 360.0 * plot_width; };
  const auto y_of = [&](double value) { return top + (high - value) / (high - low) * plot_height; };

  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width) +
                    "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(width) + " " +
                    Number(height) + "\" font-family=\"sans-serif\" font-size=\"12\">\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += "<text x=\"" + Number(left) +
         "\" y=\"24\" font-size=\"15\">Airfoil coefficients at Mach " + Number(mach) + "</text>\n";
  // Axes with ticks every 45 degrees and at the ends of the value range.
  svg += "<g stroke=\"#888\" fill=\"none\">\n";
  svg += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" +
         Number(plot_width) + "\" height=\"" + Number(plot_height) + "\"/>\n";
  if (low < 0.0 && high > 0.0) {
    svg += "<line x1=\"" + Number(left) + "\" y1=\"" + Number(y_of(0.0)) + "\" x2=\"" +
           Number(left + plot_width) + "\" y2=\"" + Number(y_of(0.0)) + "\"/>\n";
  }
  svg += "</g>\n";
  for (int degrees = -180; degrees <= 180; degrees += 45) {
    svg += "<text x=\"" + Number(x_of(degrees)) + "\" y=\"" + Number(top + plot_height + 18) +
           "\" text-anchor=\"middle\">" + std::to_string(degrees) + "</text>\n";
  }
  svg += "<text x=\"" + Number(left + plot_width / 2) + "\" y=\"" + Number(height - 8) +
         "\" text-anchor=\"middle\">angle of attack (degrees)</text>\n";
  for (double value : {low, high}) {
    svg += "<text x=\"" + Number(left - 6) + "\" y=\"" + Number(y_of(value) + 4) +
           "\" text-anchor=\"end\">" + Number(value) + "</text>\n";
  }

  static const char* const kColours[] = {"#1f77b4", "#ff7f0e", "#2ca02c",
                                         "#d62728", "#9467bd", "#8c564b"};
  int curve = 0;
  for (const AirfoilPolar& polar : polars) {
    for (int coefficient = 0; coefficient < 3; ++coefficient, ++curve) {
      const char* colour = kColours[curve % 6];
      std::string points;
      for (const PolarPoint& point : polar.points) {
        const double value = coefficient == 0   ? point.lift
                             : coefficient == 1 ? point.moment
                                                : point.drag;
        if (!std::isfinite(value)) continue;
        points += Number(x_of(point.angle_degrees)) + "," + Number(y_of(value)) + " ";
      }
      svg += "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
             "\" stroke-width=\"1.5\" points=\"" + points + "\"/>\n";
      const double legend_y = top + 10 + curve * 18;
      static const char* const kNames[] = {"lift", "moment", "drag"};
      svg += "<line x1=\"" + Number(width - right + 15) + "\" y1=\"" + Number(legend_y) +
             "\" x2=\"" + Number(width - right + 35) + "\" y2=\"" + Number(legend_y) +
             "\" stroke=\"" + colour + "\" stroke-width=\"2\"/>\n";
      svg += "<text x=\"" + Number(width - right + 40) + "\" y=\"" + Number(legend_y + 4) + "\">" +
             polar.name + " " + kNames[coefficient] + "</text>\n";
    }
  }
  return svg + "</svg>\n";
}

}  // namespace sim
