// The lift curves behind the coefficient functions, built into the test so
// that their node tables can be read: the node values, the segment search,
// interpolation and extension, and filling once.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "vessel/airfoils.h"

namespace {

using airfoil::LiftCurve;

const double kPi = 3.141592653589793;  // the double nearest to pi
const double kHalfPi = 1.5707963267948966;
const double kQuarterPi = 0.7853981633974483;
const double kDegree = 0.017453292519943295;
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct CurveCase {
  const char* name;
  LiftCurve* curve;
  AirfoilCoeffFunc function;
  std::vector<double> nodes;  // exactly as filled
};

const std::vector<CurveCase>& Curves() {
  static const std::vector<CurveCase> curves = {
      {"vertical",
       &airfoil::vertical_lift,
       VLiftCoeff,
       {-kPi, -60 * kDegree, -30 * kDegree, -2 * kDegree, 10 * kDegree, 15 * kDegree, 50 * kDegree,
        kHalfPi, kPi}},
      {"horizontal",
       &airfoil::horizontal_lift,
       HLiftCoeff,
       {-kPi, -135 * kDegree, -kHalfPi, -kQuarterPi, kQuarterPi, kHalfPi, 135 * kDegree, kPi}},
  };
  return curves;
}

void Call(AirfoilCoeffFunc function, double aoa) {
  double cl = 0.0;
  double cm = 0.0;
  double cd = 0.0;
  function(nullptr, aoa, 0.0, 0.0, nullptr, &cl, &cm, &cd);
}

// Every test starts from curves that have never been used, as a freshly
// loaded module has them, their node tables holding garbage.
class LiftCurves : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const CurveCase& each : Curves()) {
      each.curve->filled = false;
      for (int node = 0; node < each.curve->node_count; ++node) each.curve->nodes[node] = kNaN;
    }
  }
};

}  // namespace

TEST_F(LiftCurves, FirstCallFillsItsOwnNodesFromDegreesWithTheNearestDoubles) {
  for (const CurveCase& each : Curves()) {
    // The horizontal curve is still unfilled after the vertical function ran.
    ASSERT_FALSE(each.curve->filled) << each.name;
    Call(each.function, 0.0);
    ASSERT_TRUE(each.curve->filled) << each.name;
    ASSERT_EQ(each.curve->node_count, static_cast<int>(each.nodes.size())) << each.name;
    for (int node = 0; node < each.curve->node_count; ++node) {
      EXPECT_EQ(each.curve->nodes[node], each.nodes[node]) << each.name << " node " << node;
    }
  }
}

TEST_F(LiftCurves, LaterCallsKeepTheFilledNodes) {
  for (const CurveCase& each : Curves()) {
    Call(each.function, 0.0);
    each.curve->nodes[1] = 1234.5;  // a refill would overwrite this
    Call(each.function, 0.5);
    EXPECT_EQ(each.curve->nodes[1], 1234.5) << each.name;
  }
}

TEST_F(LiftCurves, ANodeTakesTheSegmentWhoseUpperNodeItIs) {
  for (const CurveCase& each : Curves()) {
    Call(each.function, 0.0);
    const LiftCurve& curve = *each.curve;
    EXPECT_EQ(airfoil::SegmentOf(curve, curve.nodes[0]), 0) << each.name;
    for (int node = 1; node < curve.node_count; ++node) {
      EXPECT_EQ(airfoil::SegmentOf(curve, curve.nodes[node]), node - 1)
          << each.name << " node " << node;
    }
    for (int node = 0; node + 1 < curve.node_count; ++node) {
      EXPECT_EQ(airfoil::SegmentOf(curve, std::nextafter(curve.nodes[node], kInf)), node)
          << each.name << " just above node " << node;
    }
  }
}

TEST_F(LiftCurves, AnglesOutsideTheNodesTakeTheEndSegments) {
  for (const CurveCase& each : Curves()) {
    Call(each.function, 0.0);
    const LiftCurve& curve = *each.curve;
    const int last_segment = curve.node_count - 2;
    for (const double aoa : {std::nextafter(-kPi, -kInf), -4.0, -1e300, -DBL_MAX, -kInf, kNaN}) {
      EXPECT_EQ(airfoil::SegmentOf(curve, aoa), 0) << each.name << ", aoa " << aoa;
    }
    for (const double aoa : {std::nextafter(kPi, kInf), 4.0, 1e300, DBL_MAX, kInf}) {
      EXPECT_EQ(airfoil::SegmentOf(curve, aoa), last_segment) << each.name << ", aoa " << aoa;
    }
  }
}

// The vertical nodes with the lift coefficients 0, 1, ..., 8, so that the
// interpolation shows.
TEST(LiftCurve, InterpolatesOnTheSegmentAndExtendsTheEndSegments) {
  const double lift[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  double nodes[9];
  const LiftCurve& vertical = airfoil::vertical_lift;
  ASSERT_EQ(vertical.node_count, 9);
  LiftCurve curve{vertical.degrees, lift, nodes, 9, false};

  EXPECT_NEAR(airfoil::LiftAt(curve, 0.0), 3 + 2.0 / 12, 1e-12);  // on -2 to 10 degrees
  ASSERT_TRUE(curve.filled);
  for (int node = 0; node < 9; ++node) {
    EXPECT_EQ(airfoil::LiftAt(curve, nodes[node]), lift[node]) << "node " << node;
  }
  EXPECT_NEAR(airfoil::LiftAt(curve, (nodes[3] + nodes[4]) / 2), 3.5, 1e-12);
  // Beyond pi the last segment (90 to 180 degrees, 7 to 8) goes on: 270
  // degrees is two segment lengths above its lower node.
  EXPECT_NEAR(airfoil::LiftAt(curve, 3 * kHalfPi), 9.0, 1e-12);
  // Below -pi the first segment (-180 to -60 degrees, 0 to 1) goes on.
  EXPECT_NEAR(airfoil::LiftAt(curve, -300 * kDegree), -1.0, 1e-12);
}
