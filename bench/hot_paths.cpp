#include "hot_paths.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/api.h"

namespace bench {

namespace {

const int kKeyJ = 0x24;
const int kKeyN = 0x31;
const int kKeyH = 0x23;
const int kLeftShift = 0x2A;

const double kTime = 100.0;
const double kStepLength = 0.02;
const double kMjd = 51544.5;
const double kAngleOfAttack = 0.3;  // radians: the vertical curve's fifth segment
const double kMach = 0.9;           // the wave drag's rising part

VESSEL3& Ring(const VesselObject* ring) { return sim::Callbacks(*ring); }

FloorRing FloorOf(const VesselObject* ring) {
  FloorRing floor;
  floor.vessel = &Ring(ring);
  for (int port = 0; port < kPortCount; ++port) floor.port[port] = ring->attachments[port].get();
  return floor;
}

void CallAirfoil(Rig& rig, int airfoil) {
  const AirfoilObject& definition = *rig.ring_12->airfoils[airfoil];
  double cl = 0.0;
  double cm = 0.0;
  double cd = 0.0;
  definition.coefficients(rig.ring_12->interface, kAngleOfAttack, kMach, 1e6, definition.context,
                          &cl, &cm, &cd);
  rig.sink += cl + cm + cd;
}

// The floors: the host calls and arithmetic of each path, nothing else.

__attribute__((noinline)) void FloorStep(const FloorRing& ring) {
  double mass = 0.0;
  for (AttachmentHandle port : ring.port) {
    VesselHandle payload = ring.vessel->GetAttachmentStatus(port);
    if (payload != nullptr) mass += oapiGetMass(payload);
  }
  ring.vessel->SetEmptyMass(mass + 200.0);
}

__attribute__((noinline)) int FloorKey(FloorRing& ring, int key, bool down, const char* keyboard) {
  if (!down) return 0;
  if (((keyboard[0x2A] | keyboard[0x36] | keyboard[0x1D] | keyboard[0x9D]) & 0x80) != 0) return 0;
  if (key == kKeyJ) ring.vessel->DetachChild(ring.port[ring.next], 0.3);
  if (key != kKeyJ && key != kKeyN) return 0;
  ring.next = ring.next == kPortCount - 1 ? 0 : ring.next + 1;
  return 1;
}

__attribute__((noinline)) void FloorHud(const FloorRing& ring, const HUDPAINTSPEC* spec,
                                        oapi::Sketchpad* skp) {
  ring.vessel->VESSEL3::clbkDrawHUD(1, spec, skp);
  const double s = spec->H * 0.00130208;
  int x = 10;
  int dy = 0;
  if (static_cast<double>(spec->H) / static_cast<double>(spec->W) < 0.7284) {
    x += 10 * ((16 * spec->W) / 1024);
    dy = -static_cast<int>(88.0 * s);
  }
  skp->SetTextColor(0x66ff66);
  skp->Text(x, dy + static_cast<int>(168.0 * s), "J = Jettison Payload", 20);
  skp->SetTextColor(0x66ff66);
  skp->Text(x, dy + static_cast<int>(184.0 * s), "N = Select Next Payload", 23);
  skp->SetTextColor(0x66ff66);
  const char* name = "none";
  char name_buffer[60];
  VesselHandle payload = ring.vessel->GetAttachmentStatus(ring.port[ring.next]);
  if (payload != nullptr) {
    oapiGetObjectName(payload, name_buffer, sizeof name_buffer);
    name = name_buffer;
  }
  char text[256];
  std::copy_n("Next Payload = ", 15, text);
  const std::size_t length = std::strlen(name);
  std::copy_n(name, length, text + 15);
  skp->Text(x, dy + static_cast<int>(200.0 * s), text, static_cast<int>(15 + length));
}

const double kDegree = 0.017453292519943295;
const double kVerticalNodes[] = {-180 * kDegree, -60 * kDegree, -30 * kDegree,
                                 -2 * kDegree,   10 * kDegree,  15 * kDegree,
                                 50 * kDegree,   90 * kDegree,  180 * kDegree};
const double kVerticalLift[] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
const double kHorizontalNodes[] = {-180 * kDegree, -135 * kDegree, -90 * kDegree, -45 * kDegree,
                                   45 * kDegree,   90 * kDegree,   135 * kDegree, 180 * kDegree};
const double kHorizontalLift[] = {0, 0, 0, 0, 0, 0, 0, 0};

template <int kNodeCount>
double Lift(const double (&nodes)[kNodeCount], const double (&lift)[kNodeCount], double aoa) {
  int i = 0;
  while (i < kNodeCount - 2 && aoa > nodes[i + 1]) ++i;
  const double t = (aoa - nodes[i]) / (nodes[i + 1] - nodes[i]);
  return lift[i] + (lift[i + 1] - lift[i]) * t;
}

__attribute__((noinline)) void FloorVLift(VESSEL* /*vessel*/, double aoa, double mach,
                                          double /*reynolds*/, void* /*context*/, double* cl,
                                          double* cm, double* cd) {
  const double lift = Lift(kVerticalNodes, kVerticalLift, aoa);
  const double sine = std::sin(aoa);
  *cl = lift;
  *cm = lift;
  *cd = 0.03 + 0.4 * (sine * sine) + oapiGetInducedDrag(lift, 1.5, 0.7) +
        oapiGetWaveDrag(mach, 0.75, 1.0, 1.1, 0.04);
}

__attribute__((noinline)) void FloorHLift(VESSEL* /*vessel*/, double aoa, double mach,
                                          double /*reynolds*/, void* /*context*/, double* cl,
                                          double* cm, double* cd) {
  const double lift = Lift(kHorizontalNodes, kHorizontalLift, aoa);
  *cl = lift;
  *cm = 0.0;
  *cd = 0.03 + oapiGetInducedDrag(lift, 1.5, 0.7) + oapiGetWaveDrag(mach, 0.75, 1.0, 1.1, 0.04);
}

// The simulator calls coefficient functions through a pointer; so do the floors.
AirfoilCoeffFunc volatile floor_coefficients[] = {FloorVLift, FloorHLift};

void CallFloorAirfoil(Rig& rig, int airfoil) {
  double cl = 0.0;
  double cm = 0.0;
  double cd = 0.0;
  floor_coefficients[airfoil](rig.floor_12.vessel, kAngleOfAttack, kMach, 1e6, nullptr, &cl, &cm,
                              &cd);
  rig.sink += cl + cm + cd;
}

// The paths.

void ModuleKey(Rig& rig, int key, bool down, char* keyboard) {
  rig.sink += rig.empty->clbkKeyEvent(key, down, keyboard);
}
void FloorKeyOf(Rig& rig, int key, bool down, const char* keyboard) {
  rig.sink += FloorKey(rig.floor_empty, key, down, keyboard);
}

void ModuleFrame(Rig& rig) {
  rig.with_12->clbkStepBegin(kTime, kStepLength, kMjd);
  ModuleKey(rig, kKeyJ, true, rig.keyboard);
  rig.with_12->clbkDrawHUD(1, &rig.hud, &rig.sketchpad);
  CallAirfoil(rig, 0);
  CallAirfoil(rig, 1);
}

void FloorFrame(Rig& rig) {
  FloorStep(rig.floor_12);
  FloorKeyOf(rig, kKeyJ, true, rig.keyboard);
  FloorHud(rig.floor_12, &rig.hud, &rig.sketchpad);
  CallFloorAirfoil(rig, 0);
  CallFloorAirfoil(rig, 1);
}

}  // namespace

Rig::Rig(const std::string& path) {
  std::string error;
  module = sim::VesselModule::Open(path, error);
  if (module == nullptr) {
    std::fprintf(stderr, "%s\n", error.c_str());
    std::exit(1);
  }
  sim::World& world = sim::world();
  empty_ring = world.AddModuleVessel("Empty", "vantrel", *module);
  ring_5 = world.AddModuleVessel("Ring5", "vantrel", *module);
  ring_12 = world.AddModuleVessel("Ring12", "vantrel", *module);
  for (int port = 1; port <= kPortCount; ++port) {
    const std::string id = "PL" + std::to_string(port);
    if (port <= 5) world.AttachPayload(*ring_5, id, "Probe-" + std::to_string(port), 100.0 * port);
    world.AttachPayload(*ring_12, id, "Satellite-" + std::to_string(port), 50.0 * port);
  }
  empty = &Ring(empty_ring);
  with_5 = &Ring(ring_5);
  with_12 = &Ring(ring_12);
  floor_empty = FloorOf(empty_ring);
  floor_5 = FloorOf(ring_5);
  floor_12 = FloorOf(ring_12);
  keyboard_shift[kLeftShift] = static_cast<char>(0x80);
}

Rig::~Rig() {
  sim::world().Clear();
  module.reset();
}

const std::vector<HotPath>& HotPaths() {
  static const std::vector<HotPath> paths = {
      {"step, 0 payloads", [](Rig& rig) { rig.empty->clbkStepBegin(kTime, kStepLength, kMjd); },
       [](Rig& rig) { FloorStep(rig.floor_empty); }},
      {"step, 5 payloads", [](Rig& rig) { rig.with_5->clbkStepBegin(kTime, kStepLength, kMjd); },
       [](Rig& rig) { FloorStep(rig.floor_5); }},
      {"step, 12 payloads", [](Rig& rig) { rig.with_12->clbkStepBegin(kTime, kStepLength, kMjd); },
       [](Rig& rig) { FloorStep(rig.floor_12); }},
      {"key J", [](Rig& rig) { ModuleKey(rig, kKeyJ, true, rig.keyboard); },
       [](Rig& rig) { FloorKeyOf(rig, kKeyJ, true, rig.keyboard); }},
      {"key N", [](Rig& rig) { ModuleKey(rig, kKeyN, true, rig.keyboard); },
       [](Rig& rig) { FloorKeyOf(rig, kKeyN, true, rig.keyboard); }},
      {"key H", [](Rig& rig) { ModuleKey(rig, kKeyH, true, rig.keyboard); },
       [](Rig& rig) { FloorKeyOf(rig, kKeyH, true, rig.keyboard); }},
      {"key J released", [](Rig& rig) { ModuleKey(rig, kKeyJ, false, rig.keyboard); },
       [](Rig& rig) { FloorKeyOf(rig, kKeyJ, false, rig.keyboard); }},
      {"key J with Shift", [](Rig& rig) { ModuleKey(rig, kKeyJ, true, rig.keyboard_shift); },
       [](Rig& rig) { FloorKeyOf(rig, kKeyJ, true, rig.keyboard_shift); }},
      {"HUD, named payload",
       [](Rig& rig) { rig.with_12->clbkDrawHUD(1, &rig.hud, &rig.sketchpad); },
       [](Rig& rig) { FloorHud(rig.floor_12, &rig.hud, &rig.sketchpad); }},
      {"HUD, empty port", [](Rig& rig) { rig.empty->clbkDrawHUD(1, &rig.hud, &rig.sketchpad); },
       [](Rig& rig) { FloorHud(rig.floor_empty, &rig.hud, &rig.sketchpad); }},
      {"VLiftCoeff", [](Rig& rig) { CallAirfoil(rig, 0); },
       [](Rig& rig) { CallFloorAirfoil(rig, 0); }},
      {"HLiftCoeff", [](Rig& rig) { CallAirfoil(rig, 1); },
       [](Rig& rig) { CallFloorAirfoil(rig, 1); }},
      {"frame", ModuleFrame, FloorFrame},
  };
  return paths;
}

}  // namespace bench
