// The ring's two airfoil coefficient functions, of the simulator's
// AirfoilCoeffFunc type, and the lift curves behind them.
#pragma once

#include "host/types.h"
#include "vessel/lift_curve.h"

// The vertical airfoil: lift and moment from its lift curve, drag with a term
// in sin^2 of the angle of attack.
void VLiftCoeff(VESSEL* vessel, double aoa, double mach, double reynolds, void* context, double* cl,
                double* cm, double* cd);

// The horizontal airfoil: lift from its lift curve, no moment, drag without
// an angle term.
void HLiftCoeff(VESSEL* vessel, double aoa, double mach, double reynolds, void* context, double* cl,
                double* cm, double* cd);

namespace airfoil {

// One curve per function, shared by every instance of the ring.
extern LiftCurve vertical_lift;
extern LiftCurve horizontal_lift;

}  // namespace airfoil
