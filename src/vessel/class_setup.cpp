// VESSEL2::clbkDefineClass: what the simulator is told about the ring.
#include "vessel/airfoils.h"
#include "vessel/vantrel.h"

namespace {

const double kRingSize = 2.0;
const VECTOR3 kPrincipalMomentsOfInertia = {2.0, 2.0, 0.75};
const VECTOR3 kCrossSections = {5.0, 5.0, 3.0};
const double kDragCoefficient = 1.0;
const VECTOR3 kRotationalDrag = {2.0, 2.0, 1.0};
const VECTOR3 kCameraOffset = {0.0, 2.0, -2.0};
const char* const kMeshName = "Quendrall/vantrel";

// Both airfoils sit 1 m up the axis, with a chord of 1 m, an area of 2 m^2
// and an aspect ratio of 1.
const VECTOR3 kAirfoilReference = {0.0, 0.0, 1.0};
const double kAirfoilChord = 1.0;
const double kAirfoilArea = 2.0;
const double kAirfoilAspectRatio = 1.0;

// Three contact points well outside the ring, all at y = -1.
const TOUCHDOWNVTX touchdown_points[] = {
    {{0.0, -1.0, 5.0}, 1e6, 1e6, 0.7, 0.7},
    {{-2.0, -1.0, -5.0}, 1e6, 1e6, 0.7, 0.7},
    {{2.0, -1.0, -5.0}, 1e6, 1e6, 0.7, 0.7},
};

// Three tiers of four ports, each pointing radially outward (+x, +y, -x, -y)
// 0.987 m from the axis.
struct PortRow {
  VECTOR3 position;
  VECTOR3 direction;
  const char* id;
};
const VECTOR3 kPortAxis = {0.0, 0.0, 1.0};
const PortRow kPortRows[kPayloadPortCount] = {
    {{0.987, 0.0, 1.09}, {1.0, 0.0, 0.0}, "PL1"},
    {{0.0, 0.987, 1.09}, {0.0, 1.0, 0.0}, "PL2"},
    {{-0.987, 0.0, 1.09}, {-1.0, 0.0, 0.0}, "PL3"},
    {{0.0, -0.987, 1.09}, {0.0, -1.0, 0.0}, "PL4"},
    {{0.987, 0.0, 0.0}, {1.0, 0.0, 0.0}, "PL5"},
    {{0.0, 0.987, 0.0}, {0.0, 1.0, 0.0}, "PL6"},
    {{-0.987, 0.0, 0.0}, {-1.0, 0.0, 0.0}, "PL7"},
    {{0.0, -0.987, 0.0}, {0.0, -1.0, 0.0}, "PL8"},
    {{0.987, 0.0, -1.09}, {1.0, 0.0, 0.0}, "PL9"},
    {{0.0, 0.987, -1.09}, {0.0, 1.0, 0.0}, "PL10"},
    {{-0.987, 0.0, -1.09}, {-1.0, 0.0, 0.0}, "PL11"},
    {{0.0, -0.987, -1.09}, {0.0, -1.0, 0.0}, "PL12"},
};

}  // namespace

void vantrel::clbkDefineClass(void* /*config*/) {
  next_payload = 0;

  SetSize(kRingSize);
  SetEmptyMass(kRingEmptyMass);
  SetPMI(kPrincipalMomentsOfInertia);
  SetCrossSections(kCrossSections);
  SetCW(kDragCoefficient, kDragCoefficient, kDragCoefficient, kDragCoefficient);
  SetRotDrag(kRotationalDrag);
  SetTouchdownPoints(touchdown_points, sizeof touchdown_points / sizeof touchdown_points[0]);
  SetCameraOffset(kCameraOffset);
  SetMeshVisibilityMode(AddMesh(kMeshName, nullptr), MESHVIS_ALWAYS);
  CreateAirfoil3(LIFT_VERTICAL, kAirfoilReference, VLiftCoeff, nullptr, kAirfoilChord, kAirfoilArea,
                 kAirfoilAspectRatio);
  CreateAirfoil3(LIFT_HORIZONTAL, kAirfoilReference, HLiftCoeff, nullptr, kAirfoilChord,
                 kAirfoilArea, kAirfoilAspectRatio);

  for (int port = 0; port < kPayloadPortCount; ++port) {
    const PortRow& row = kPortRows[port];
    payload_port[port] =
        CreateAttachment(false, row.position, row.direction, kPortAxis, row.id, false);
  }
}
