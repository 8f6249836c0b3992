// The polar of a vessel's airfoils: lift, moment and drag coefficients over
// the angle of attack from -180 to 180 degrees at one Mach number, and over
// the Mach number from 0 to 3 at 0 and 90 degrees, computed by calling each
// airfoil's coefficient function as the simulator does.
#pragma once

#include <string>
#include <vector>

#include "core/world.h"

namespace sim {

struct PolarPoint {
  double angle_degrees = 0.0;
  double mach = 0.0;
  double lift = 0.0;
  double moment = 0.0;
  double drag = 0.0;
};

struct AirfoilPolar {
  std::string name;  // the airfoil's orientation: "vertical" or "horizontal"
  std::vector<PolarPoint> points;
};

// One sweep of the angle or of the Mach number, the other held; every
// airfoil's points at the same places.
struct PolarSweep {
  enum class Variable { kAngle, kMach };
  Variable variable = Variable::kAngle;
  double held = 0.0;  // the Mach number of an angle sweep, the angle (degrees) of a Mach sweep
  std::vector<AirfoilPolar> airfoils;
};

struct Polars {
  PolarSweep angle;              // one point a degree
  std::vector<PolarSweep> mach;  // at 0 and at 90 degrees, Mach 0 to 3 by 0.01
};

Polars ComputePolars(const VesselObject& vessel, double mach);

// The sweeps as comma-separated values: one row a point, its sweep, angle and
// Mach number, then three columns an airfoil.
std::string PolarCsv(const Polars& polars);

// The sweeps as an SVG picture: a panel each for lift, moment and drag
// against the angle, and a chart of drag against the Mach number.
std::string PolarSvg(const Polars& polars);

}  // namespace sim
