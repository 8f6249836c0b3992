// Lift curves of the airfoil coefficient functions (AirfoilCoeffFunc).
#include "vessel/lift_curve.h"

namespace airfoil {

namespace {

void FillNodes(LiftCurve& curve) {
  for (int node = 0; node < curve.node_count; ++node) {
    curve.nodes[node] = curve.degrees[node] * kRadiansPerDegree;
  }
  curve.filled = true;
}

}  // namespace

int SegmentOf(const LiftCurve& curve, double aoa) {
  // The last segment is the last candidate, so an angle above every node
  // stays on it instead of running past the tables.
  const int last_segment = curve.node_count - 2;
  int segment = 0;
  while (segment < last_segment && aoa > curve.nodes[segment + 1]) ++segment;
  return segment;
}

double LiftAt(LiftCurve& curve, double aoa) {
  if (!curve.filled) FillNodes(curve);
  const int i = SegmentOf(curve, aoa);
  const double* nodes = curve.nodes;
  const double* lift = curve.lift;
  const double t = (aoa - nodes[i]) / (nodes[i + 1] - nodes[i]);
  return lift[i] + (lift[i + 1] - lift[i]) * t;
}

}  // namespace airfoil
