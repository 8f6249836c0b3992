// The ring's airfoils as the simulator sees them: the two definitions of class
// setup, and their coefficient functions, called through the pointers that
// class setup handed to CreateAirfoil3.
#include <array>
#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "host/api.h"
#include "support/module_fixture.h"

namespace {

const double kPi = 3.141592653589793;  // the double nearest to pi
const double kHalfPi = 1.5707963267948966;
const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kDegree = 0.017453292519943295;

const double kVerticalNodeDegrees[] = {-180, -60, -30, -2, 10, 15, 50, 90, 180};
const double kHorizontalNodeDegrees[] = {-180, -135, -90, -45, 45, 90, 135, 180};

// Mach numbers in every region of the wave-drag curve that both functions ask
// for (0.75, 1.0, 1.1): none, rising, peak, falling.
const double kMachNumbers[] = {0.0, 0.5, 0.8, 0.9, 1.0, 1.05, 1.1, 1.5, 3.0};

// Finite angles beyond the end nodes, on both sides.
const double kBeyondPi[] = {std::nextafter(kPi, kInf),   4.0,  7.0,  1e6,  1e300,
                            std::nextafter(-kPi, -kInf), -4.0, -7.0, -1e6, -1e300};

enum Airfoil { kVertical = 0, kHorizontal = 1 };

struct Coefficients {
  double cl;
  double cm;
  double cd;
};

// Angles from -pi to pi, both ends included, and every node of both curves.
std::vector<double> AnglesUpToPi() {
  std::vector<double> angles;
  const int steps = 720;
  for (int step = 0; step <= steps; ++step) angles.push_back(-kPi + 2 * kPi * step / steps);
  angles.back() = kPi;
  for (const double degrees : kVerticalNodeDegrees) angles.push_back(degrees * kDegree);
  for (const double degrees : kHorizontalNodeDegrees) angles.push_back(degrees * kDegree);
  return angles;
}

// A drag coefficient with the host's two terms added, as the coefficient
// functions ask for them.
double WithHostDrag(double drag, double cl, double mach) {
  return drag + oapiGetInducedDrag(cl, 1.5, 0.7) + oapiGetWaveDrag(mach, 0.75, 1.0, 1.1, 0.04);
}

class Airfoils : public LoadedModule {
 protected:
  void SetUp() override {
    LoadedModule::SetUp();
    if (HasFatalFailure()) return;
    ring = &AddRing();
    ASSERT_EQ(ring->airfoils.size(), 2U);
  }

  // The simulator's call of an airfoil's coefficient function.
  static Coefficients Evaluate(const VesselObject& vessel, Airfoil airfoil, double aoa,
                               double mach = 0.0) {
    const AirfoilObject& definition = *vessel.airfoils.at(airfoil);
    Coefficients result{kNaN, kNaN, kNaN};
    definition.coefficients(vessel.interface, aoa, mach, 1e6, definition.context, &result.cl,
                            &result.cm, &result.cd);
    return result;
  }
  Coefficients Evaluate(Airfoil airfoil, double aoa, double mach = 0.0) const {
    return Evaluate(*ring, airfoil, aoa, mach);
  }

  VesselObject* ring = nullptr;
};

}  // namespace

TEST_F(Airfoils, ClassSetupDefinesVerticalThenHorizontalWithTheirArguments) {
  const AIRFOIL_ORIENTATION orientations[] = {LIFT_VERTICAL, LIFT_HORIZONTAL};
  for (const Airfoil airfoil : {kVertical, kHorizontal}) {
    const AirfoilObject& definition = *ring->airfoils[airfoil];
    EXPECT_EQ(definition.owner, ring);
    EXPECT_EQ(definition.orientation, orientations[airfoil]);
    EXPECT_EQ(definition.reference.x, 0.0);
    EXPECT_EQ(definition.reference.y, 0.0);
    EXPECT_EQ(definition.reference.z, 1.0);
    EXPECT_NE(definition.coefficients, nullptr);
    EXPECT_EQ(definition.context, nullptr);
    EXPECT_EQ(definition.chord, 1.0);
    EXPECT_EQ(definition.area, 2.0);
    EXPECT_EQ(definition.aspect_ratio, 1.0);
  }
  // Which function is which shows in their drag; the two must differ.
  EXPECT_NE(ring->airfoils[kVertical]->coefficients, ring->airfoils[kHorizontal]->coefficients);
}

TEST_F(Airfoils, AreDefinedRightAfterTheMeshAndBeforeTheFirstPort) {
  const std::vector<std::string>& calls = ring->definition_calls;
  size_t vertical = 0;
  while (vertical < calls.size() && calls[vertical].rfind("CreateAirfoil3(", 0) != 0) ++vertical;
  ASSERT_GT(vertical, 0U);
  ASSERT_LT(vertical + 2, calls.size());
  EXPECT_EQ(calls[vertical - 1], "SetMeshVisibilityMode(0, 3)");
  EXPECT_EQ(calls[vertical],
            "CreateAirfoil3(LIFT_VERTICAL, (0, 0, 1), function, null, 1, 2, 1) = #0");
  EXPECT_EQ(calls[vertical + 1],
            "CreateAirfoil3(LIFT_HORIZONTAL, (0, 0, 1), function, null, 1, 2, 1) = #1");
  EXPECT_EQ(calls[vertical + 2].rfind("CreateAttachment(", 0), 0U) << calls[vertical + 2];
  EXPECT_NE(calls[vertical + 2].find("\"PL1\""), std::string::npos) << calls[vertical + 2];
}

TEST_F(Airfoils, LiftAndMomentAreZeroFromMinusPiToPiAndAtEveryNode) {
  for (const Airfoil airfoil : {kVertical, kHorizontal}) {
    for (const double aoa : AnglesUpToPi()) {
      const Coefficients result = Evaluate(airfoil, aoa);
      EXPECT_EQ(result.cl, 0.0) << "airfoil " << airfoil << ", aoa " << aoa;
      EXPECT_EQ(result.cm, 0.0) << "airfoil " << airfoil << ", aoa " << aoa;
    }
  }
}

TEST_F(Airfoils, LiftAndMomentStayZeroBeyondPiOnTheEndSegmentsExtended) {
  for (const Airfoil airfoil : {kVertical, kHorizontal}) {
    for (const double aoa : kBeyondPi) {
      const Coefficients result = Evaluate(airfoil, aoa);
      EXPECT_EQ(result.cl, 0.0) << "airfoil " << airfoil << ", aoa " << aoa;
      EXPECT_EQ(result.cm, 0.0) << "airfoil " << airfoil << ", aoa " << aoa;
    }
  }
}

// NaN takes the first segment and infinite angles the end segments, where
// the zero slope times an infinite t is NaN; at the largest doubles t
// overflows on the horizontal curve's 45-degree end segments, not on the
// vertical curve's wider ones. None of them reads outside the tables (the
// sanitize build stops on such a read), and the drag takes whatever lift
// comes out.
TEST_F(Airfoils, HugeAndNonNumberAnglesStayInsideTheTables) {
  const struct {
    double aoa;
    double vertical_lift;
    double horizontal_lift;
  } cases[] = {
      {kNaN, kNaN, kNaN},   {kInf, kNaN, kNaN},    {-kInf, kNaN, kNaN},
      {DBL_MAX, 0.0, kNaN}, {-DBL_MAX, 0.0, kNaN},
  };
  const auto expect_same = [](double actual, double expected, double aoa, const char* what) {
    if (std::isnan(expected)) {
      EXPECT_TRUE(std::isnan(actual)) << what << " at aoa " << aoa << ": " << actual;
    } else {
      EXPECT_EQ(actual, expected) << what << " at aoa " << aoa;
    }
  };
  const double mach = 1.05;
  for (const auto& example : cases) {
    const double sine = std::sin(example.aoa);
    const Coefficients vertical = Evaluate(kVertical, example.aoa, mach);
    expect_same(vertical.cl, example.vertical_lift, example.aoa, "vertical lift");
    expect_same(vertical.cm, example.vertical_lift, example.aoa, "vertical moment");
    expect_same(vertical.cd, WithHostDrag(0.03 + 0.4 * (sine * sine), example.vertical_lift, mach),
                example.aoa, "vertical drag");
    const Coefficients horizontal = Evaluate(kHorizontal, example.aoa, mach);
    expect_same(horizontal.cl, example.horizontal_lift, example.aoa, "horizontal lift");
    EXPECT_EQ(horizontal.cm, 0.0) << "horizontal moment at aoa " << example.aoa;
    expect_same(horizontal.cd, WithHostDrag(0.03, example.horizontal_lift, mach), example.aoa,
                "horizontal drag");
  }
}

TEST_F(Airfoils, VerticalDragAtRightAnglesIsPointFourAboveItsDragHeadOn) {
  for (const double mach : kMachNumbers) {
    const double head_on = Evaluate(kVertical, 0.0, mach).cd;
    EXPECT_EQ(head_on, WithHostDrag(0.03, 0.0, mach)) << "M " << mach;
    for (const double aoa : {kHalfPi, -kHalfPi}) {
      const double across = Evaluate(kVertical, aoa, mach).cd;
      EXPECT_EQ(across, WithHostDrag(0.03 + 0.4, 0.0, mach)) << "M " << mach << ", aoa " << aoa;
      EXPECT_NEAR(across - head_on, 0.4, 1e-15) << "M " << mach << ", aoa " << aoa;
    }
  }
}

TEST_F(Airfoils, VerticalDragAddsSineSquaredAndTheHostTermsAsTheyCome) {
  std::vector<double> angles = AnglesUpToPi();
  angles.insert(angles.end(), std::begin(kBeyondPi), std::end(kBeyondPi));
  for (const double mach : kMachNumbers) {
    for (const double aoa : angles) {
      const double sine = std::sin(aoa);
      EXPECT_EQ(Evaluate(kVertical, aoa, mach).cd,
                WithHostDrag(0.03 + 0.4 * (sine * sine), 0.0, mach))
          << "M " << mach << ", aoa " << aoa;
    }
  }
}

// Worked by hand, not by the formula: 0.03, plus 0.4 sin^2 of the angle, plus
// the host's wave drag (none below M 0.75, its peak 0.04 at M 1.05); the
// induced drag of a zero lift is none.
TEST_F(Airfoils, VerticalDragAtWorkedAngles) {
  const struct {
    double aoa, mach, cd;
  } cases[] = {
      {0.0, 0.0, 0.03},           {kHalfPi, 0.0, 0.43},  // sin^2 = 1
      {-kPi / 6, 0.0, 0.13},                             // sin^2 = 1/4
      {kPi / 4, 1.05, 0.27},                             // sin^2 = 1/2, wave drag at its peak
      {kPi, 0.5, 0.03},                                  // sin^2 = 0
      {-2 * kPi / 3, 1.05, 0.37},                        // sin^2 = 3/4
  };
  for (const auto& example : cases) {
    EXPECT_NEAR(Evaluate(kVertical, example.aoa, example.mach).cd, example.cd, 1e-15)
        << "M " << example.mach << ", aoa " << example.aoa;
  }
}

TEST_F(Airfoils, HorizontalDragDependsOnMachAlone) {
  std::vector<double> angles = AnglesUpToPi();
  angles.insert(angles.end(), std::begin(kBeyondPi), std::end(kBeyondPi));
  for (const double mach : kMachNumbers) {
    for (const double aoa : angles) {
      EXPECT_EQ(Evaluate(kHorizontal, aoa, mach).cd, WithHostDrag(0.03, 0.0, mach))
          << "M " << mach << ", aoa " << aoa;
    }
  }
}

TEST_F(Airfoils, AskTheHostForDragWithTheirOwnConstants) {
  for (const Airfoil airfoil : {kVertical, kHorizontal}) {
    sim::world().induced_drag_arguments.reset();
    sim::world().wave_drag_arguments.reset();
    Evaluate(airfoil, 0.3, 0.9);
    EXPECT_EQ(sim::world().induced_drag_arguments, (std::array<double, 3>{0.0, 1.5, 0.7}))
        << airfoil;
    EXPECT_EQ(sim::world().wave_drag_arguments, (std::array<double, 5>{0.9, 0.75, 1.0, 1.1, 0.04}))
        << airfoil;
  }
}

TEST_F(Airfoils, ASecondRingSharesTheFunctionsAndGetsTheFirstRingsResults) {
  std::vector<double> angles = AnglesUpToPi();
  angles.insert(angles.end(), std::begin(kBeyondPi), std::end(kBeyondPi));
  const auto results_of = [&](const VesselObject& vessel) {
    std::vector<double> results;
    for (const Airfoil airfoil : {kVertical, kHorizontal}) {
      for (const double aoa : angles) {
        const Coefficients result = Evaluate(vessel, airfoil, aoa, 1.05);
        results.insert(results.end(), {result.cl, result.cm, result.cd});
      }
    }
    return results;
  };
  const std::vector<double> first = results_of(*ring);

  const VesselObject& second = AddRing("Second");
  for (const Airfoil airfoil : {kVertical, kHorizontal}) {
    EXPECT_EQ(second.airfoils.at(airfoil)->coefficients, ring->airfoils[airfoil]->coefficients);
  }
  EXPECT_EQ(results_of(second), first);
  EXPECT_EQ(results_of(*ring), first);
}
