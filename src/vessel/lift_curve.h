// The lift curve behind an airfoil coefficient function (AirfoilCoeffFunc):
// lift coefficients at angle nodes, straight between them and straight on
// beyond the end nodes.
#pragma once

namespace airfoil {

// Nodes are written in degrees and converted once, on the curve's first use,
// with the double nearest to pi/180.
constexpr double kRadiansPerDegree = 0.017453292519943295;

struct LiftCurve {
  const double* degrees;  // ascending, -180 first and 180 last
  const double* lift;     // the lift coefficient at each node
  double* nodes;          // the nodes in radians, once filled is set
  int node_count;
  bool filled;
};

// A curve over three tables of one length; its nodes are filled on first use.
template <int kNodeCount>
constexpr LiftCurve MakeLiftCurve(const double (&degrees)[kNodeCount],
                                  const double (&lift)[kNodeCount], double (&nodes)[kNodeCount]) {
  static_assert(kNodeCount >= 2, "a curve needs one segment at least");
  return LiftCurve{degrees, lift, nodes, kNodeCount, false};
}

// The segment from nodes[i] to nodes[i + 1] that aoa belongs to: the first
// whose upper node is not below aoa. An angle below the first node, or NaN,
// takes the first segment; one above the last node takes the last.
int SegmentOf(const LiftCurve& curve, double aoa);

// The lift coefficient at aoa, interpolated on its segment; the first and
// last segments extend beyond the end nodes. Fills the nodes on first use.
double LiftAt(LiftCurve& curve, double aoa);

}  // namespace airfoil
