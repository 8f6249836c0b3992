// AirfoilCoeffFunc: the coefficient functions the simulator calls whenever it
// computes the forces on the ring's two airfoils.
#include "vessel/airfoils.h"

#include <cmath>
#include <iterator>

#include "host/api.h"

namespace {

const double kVerticalDegrees[] = {-180, -60, -30, -2, 10, 15, 50, 90, 180};
const double kVerticalLift[] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
const double kHorizontalDegrees[] = {-180, -135, -90, -45, 45, 90, 135, 180};
const double kHorizontalLift[] = {0, 0, 0, 0, 0, 0, 0, 0};

const double kProfileDrag = 0.03;
const double kVerticalAngleDrag = 0.4;  // times sin^2 of the angle of attack

// The simulator's drag terms take these constants, whatever the airfoils
// were defined with.
const double kInducedDragAspectRatio = 1.5;
const double kInducedDragEfficiency = 0.7;
const double kWaveDragMach1 = 0.75;
const double kWaveDragMach2 = 1.0;
const double kWaveDragMach3 = 1.1;
const double kWaveDragMax = 0.04;

double vertical_nodes[std::size(kVerticalDegrees)];
double horizontal_nodes[std::size(kHorizontalDegrees)];

// The simulator's induced and wave drag, added to an airfoil's own drag.
double WithHostDrag(double drag, double cl, double mach) {
  return drag + oapiGetInducedDrag(cl, kInducedDragAspectRatio, kInducedDragEfficiency) +
         oapiGetWaveDrag(mach, kWaveDragMach1, kWaveDragMach2, kWaveDragMach3, kWaveDragMax);
}

}  // namespace

namespace airfoil {

LiftCurve vertical_lift = MakeLiftCurve(kVerticalDegrees, kVerticalLift, vertical_nodes);
LiftCurve horizontal_lift = MakeLiftCurve(kHorizontalDegrees, kHorizontalLift, horizontal_nodes);

}  // namespace airfoil

void VLiftCoeff(VESSEL* /*vessel*/, double aoa, double mach, double /*reynolds*/, void* /*context*/,
                double* cl, double* cm, double* cd) {
  const double lift = airfoil::LiftAt(airfoil::vertical_lift, aoa);
  const double sine = std::sin(aoa);
  *cl = lift;
  *cm = lift;
  *cd = WithHostDrag(kProfileDrag + kVerticalAngleDrag * (sine * sine), lift, mach);
}

void HLiftCoeff(VESSEL* /*vessel*/, double aoa, double mach, double /*reynolds*/, void* /*context*/,
                double* cl, double* cm, double* cd) {
  const double lift = airfoil::LiftAt(airfoil::horizontal_lift, aoa);
  *cl = lift;
  *cm = 0.0;
  *cd = WithHostDrag(kProfileDrag, lift, mach);
}
