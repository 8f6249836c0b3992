#include "app/polar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "core/call_text.h"
#include "host/vessel.h"

namespace sim {

namespace {

// The simulator's Reynolds number for the calls; the ring's functions do not
// read it.
const double kReynoldsNumber = 1e6;
const double kRadiansPerDegree = 0.017453292519943295;

struct Coefficient {
  const char* column;  // in the table
  const char* name;    // in the chart's legend
  double PolarPoint::*value;
};
const Coefficient kCoefficients[] = {
    {"cl", "lift", &PolarPoint::lift},
    {"cm", "moment", &PolarPoint::moment},
    {"cd", "drag", &PolarPoint::drag},
};

const char* const kCurveColours[] = {"#1f77b4", "#ff7f0e", "#2ca02c",
                                     "#d62728", "#9467bd", "#8c564b"};

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// The chart's drawing area: angles from -180 to 180 degrees across, the
// coefficients' range from bottom to top, a legend on the right.
class Chart {
 public:
  static constexpr double kWidth = 800;
  static constexpr double kHeight = 500;
  static constexpr double kLeft = 70;
  static constexpr double kRight = 600;
  static constexpr double kTop = 40;
  static constexpr double kBottom = 450;

  explicit Chart(const std::vector<AirfoilPolar>& polars) {
    for (const AirfoilPolar& polar : polars) {
      for (const PolarPoint& point : polar.points) {
        for (const Coefficient& coefficient : kCoefficients) {
          const double value = point.*coefficient.value;
          if (!std::isfinite(value)) continue;
          low_ = std::min(low_, value);
          high_ = std::max(high_, value);
        }
      }
    }
    if (high_ - low_ < 1e-9) high_ = low_ + 1.0;
  }

  static double X(double degrees) { return kLeft + (degrees + 180.0) / 360.0 * (kRight - kLeft); }
  double Y(double value) const {
    return kTop + (high_ - value) / (high_ - low_) * (kBottom - kTop);
  }

  // The title, the frame, the zero line and the ticks of both axes.
  std::string Frame(double mach) const {
    std::string svg = "<text x=\"" + Number(kLeft) +
                      "\" y=\"24\" font-size=\"15\">Airfoil coefficients at Mach " + Number(mach) +
                      "</text>\n";
    svg += "<g stroke=\"#888\" fill=\"none\">\n<rect x=\"" + Number(kLeft) + "\" y=\"" +
           Number(kTop) + "\" width=\"" + Number(kRight - kLeft) + "\" height=\"" +
           Number(kBottom - kTop) + "\"/>\n";
    if (low_ < 0.0 && high_ > 0.0) svg += Line(kLeft, Y(0.0), kRight, Y(0.0), "#888");
    svg += "</g>\n";
    for (int degrees = -180; degrees <= 180; degrees += 45) {
      svg += Label(X(degrees), kBottom + 18, "middle", std::to_string(degrees));
    }
    svg += Label((kLeft + kRight) / 2, kHeight - 8, "middle", "angle of attack (degrees)");
    for (double value : {low_, high_}) svg += Label(kLeft - 6, Y(value) + 4, "end", Number(value));
    return svg;
  }

  // One coefficient of one airfoil, and its line in the legend.
  std::string Curve(const AirfoilPolar& polar, const Coefficient& coefficient, int index) const {
    const char* colour = kCurveColours[index % std::size(kCurveColours)];
    std::string points;
    for (const PolarPoint& point : polar.points) {
      const double value = point.*coefficient.value;
      if (std::isfinite(value))
        points += Number(X(point.angle_degrees)) + "," + Number(Y(value)) + " ";
    }
    const double legend_y = kTop + 10 + index * 18;
    return "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
           "\" stroke-width=\"1.5\" points=\"" + points + "\"/>\n" +
           Line(kRight + 15, legend_y, kRight + 35, legend_y, colour) +
           Label(kRight + 40, legend_y + 4, "start", polar.name + " " + coefficient.name);
  }

 private:
  static std::string Line(double x1, double y1, double x2, double y2, const char* colour) {
    return "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
           "\" y2=\"" + Number(y2) + "\" stroke=\"" + colour + "\" stroke-width=\"1.5\"/>\n";
  }
  static std::string Label(double x, double y, const char* anchor, const std::string& text) {
    return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" text-anchor=\"" + anchor + "\">" +
           text + "</text>\n";
  }

  double low_ = 0.0;
  double high_ = 0.0;
};

}  // namespace

std::vector<AirfoilPolar> ComputePolars(const VesselObject& vessel, double mach) {
  std::vector<AirfoilPolar> polars;
  for (const auto& airfoil : vessel.airfoils) {
    AirfoilPolar polar;
    polar.name = airfoil->orientation == LIFT_VERTICAL ? "vertical" : "horizontal";
    for (int degrees = -180; degrees <= 180; ++degrees) {
      PolarPoint point;
      point.angle_degrees = degrees;
      airfoil->coefficients(vessel.interface, degrees * kRadiansPerDegree, mach, kReynoldsNumber,
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
    for (const Coefficient& coefficient : kCoefficients) {
      text += "," + polar.name + " " + coefficient.column;
    }
  }
  text += "\n";
  const size_t rows = polars.empty() ? 0 : polars.front().points.size();
  for (size_t row = 0; row < rows; ++row) {
    text += Number(polars.front().points[row].angle_degrees);
    for (const AirfoilPolar& polar : polars) {
      for (const Coefficient& coefficient : kCoefficients) {
        text += "," + ArgumentText(polar.points[row].*coefficient.value);
      }
    }
    text += "\n";
  }
  return text;
}

std::string PolarSvg(const std::vector<AirfoilPolar>& polars, double mach) {
  const Chart chart(polars);
  const std::string width = Number(Chart::kWidth);
  const std::string height = Number(Chart::kHeight);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width + "\" height=\"" +
                    height + "\" viewBox=\"0 0 " + width + " " + height +
                    "\" font-family=\"sans-serif\" font-size=\"12\">\n" +
                    "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n" + chart.Frame(mach);
  int index = 0;
  for (const AirfoilPolar& polar : polars) {
    for (const Coefficient& coefficient : kCoefficients)
      svg += chart.Curve(polar, coefficient, index++);
  }
  return svg + "</svg>\n";
}

}  // namespace sim
