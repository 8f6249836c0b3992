// VESSEL::CreateAirfoil3 and the drag terms that airfoil coefficient functions
// take from the simulator: oapiGetInducedDrag and oapiGetWaveDrag.
#include <cmath>

#include "core/call_text.h"
#include "core/world.h"
#include "host/api.h"
#include "host/vessel.h"

namespace {

const double kPi = 3.141592653589793;

}  // namespace

AirfoilHandle VESSEL::CreateAirfoil3(AIRFOIL_ORIENTATION orientation, const VECTOR3& reference,
                                     AirfoilCoeffFunc coefficients, void* context, double chord,
                                     double area, double aspect_ratio) const {
  vessel_->airfoils.push_back(std::make_unique<AirfoilObject>(AirfoilObject{
      vessel_, orientation, reference, coefficients, context, chord, area, aspect_ratio}));
  vessel_->RecordDefinition(sim::CallText("CreateAirfoil3", orientation, reference, coefficients,
                                          static_cast<const void*>(context), chord, area,
                                          aspect_ratio) +
                            " = #" + std::to_string(vessel_->airfoils.size() - 1));
  return vessel_->airfoils.back().get();
}

// Lift-induced drag of a finite wing: cl^2 / (pi * A * e), with A the aspect
// ratio and e the span efficiency (1 for an elliptic lift distribution).
double oapiGetInducedDrag(double cl, double aspect_ratio, double efficiency) {
  sim::world().induced_drag_arguments = {cl, aspect_ratio, efficiency};
  return cl * cl / (kPi * aspect_ratio * efficiency);
}

// Wave drag over the Mach number M, for 0 < M1 < M2 <= M3 and M3 > 1:
// - below M1 (subsonic flow everywhere) there is none;
// - from M1 to M2 (shocks forming as the flow turns locally supersonic) it
//   rises to cd_max along a smoothstep, cd_max * s^2 * (3 - 2s) with
//   s = (M - M1) / (M2 - M1), flat where it joins its neighbours;
// - from M2 to M3 (transonic peak) it holds cd_max;
// - beyond M3 it falls as linearised supersonic theory has it, in proportion
//   to 1 / sqrt(M^2 - 1), scaled to meet cd_max at M3.
// A NaN Mach number gives NaN.
double oapiGetWaveDrag(double mach, double mach1, double mach2, double mach3, double cd_max) {
  sim::world().wave_drag_arguments = {mach, mach1, mach2, mach3, cd_max};
  if (mach < mach1) return 0.0;
  if (mach < mach2) {
    const double s = (mach - mach1) / (mach2 - mach1);
    return cd_max * s * s * (3.0 - 2.0 * s);
  }
  if (mach <= mach3) return cd_max;
  return cd_max * std::sqrt((mach3 * mach3 - 1.0) / (mach * mach - 1.0));
}
