// The stand-in's drag terms for airfoil coefficient functions: induced drag
// and the regions of the wave-drag curve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/api.h"

TEST(InducedDrag, IsLiftSquaredOverPiTimesAspectRatioTimesEfficiency) {
  const struct {
    double cl, aspect_ratio, efficiency, drag;
  } cases[] = {
      {0.0, 1.5, 0.7, 0.0},
      {1.0, 1.0, 1.0, 0.3183098861837907},  // 1 / pi
      {0.5, 1.5, 0.7, 0.07578806813899779},
      {-0.5, 1.5, 0.7, 0.07578806813899779},  // the sign of the lift does not matter
      {2.0, 4.0, 1.0, 0.3183098861837907},
  };
  for (const auto& example : cases) {
    EXPECT_DOUBLE_EQ(oapiGetInducedDrag(example.cl, example.aspect_ratio, example.efficiency),
                     example.drag)
        << "cl " << example.cl << ", A " << example.aspect_ratio << ", e " << example.efficiency;
  }
}

TEST(WaveDrag, RisesBetweenTheFirstTwoMachNumbersHoldsToTheThirdAndFallsBeyond) {
  const double m1 = 0.75;
  const double m2 = 1.0;
  const double m3 = 1.1;
  const double cd_max = 0.04;
  const struct {
    double mach, drag;
  } cases[] = {
      {0.0, 0.0},
      {0.5, 0.0},
      {0.75, 0.0},        // the rise starts flat
      {0.8125, 0.00625},  // a quarter of the way up: smoothstep 0.15625
      {0.875, 0.02},      // half way
      {1.0, 0.04},
      {1.05, 0.04},
      {1.1, 0.04},
      {1.3564659966250536, 0.02},  // M^2 - 1 four times M3^2 - 1: half the peak
      {100.0, 0.00018331219363706716},
  };
  for (const auto& example : cases) {
    EXPECT_NEAR(oapiGetWaveDrag(example.mach, m1, m2, m3, cd_max), example.drag, 1e-15)
        << "M " << example.mach;
  }
  EXPECT_TRUE(
      std::isnan(oapiGetWaveDrag(std::numeric_limits<double>::quiet_NaN(), m1, m2, m3, cd_max)));
}
