// The polar of a vessel's airfoils: lift, moment and drag coefficients over
// the angle of attack from -180 to 180 degrees, computed by calling each
// airfoil's coefficient function as the simulator does.
#pragma once

#include <string>
#include <vector>

#include "core/world.h"

namespace sim {

struct PolarPoint {
  double angle_degrees = 0.0;
  double lift = 0.0;
  double moment = 0.0;
  double drag = 0.0;
};

struct AirfoilPolar {
  std::string name;  // the airfoil's orientation: "vertical" or "horizontal"
  std::vector<PolarPoint> points;
};

// One polar per airfoil of the vessel, at the given Mach number, one point a
// degree.
std::vector<AirfoilPolar> ComputePolars(const VesselObject& vessel, double mach);

// The polars as comma-separated values: one row an angle, three columns an
// airfoil.
std::string PolarCsv(const std::vector<AirfoilPolar>& polars);

// The polars as an SVG chart: one curve a coefficient and airfoil.
std::string PolarSvg(const std::vector<AirfoilPolar>& polars, double mach);

}  // namespace sim
