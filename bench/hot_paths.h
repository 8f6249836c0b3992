// The module's hot paths, each beside its floor: the least code that makes the
// same host calls and the same arithmetic, written plainly here. A path runs
// through the real loaded vantrel.so on the stand-in's host, whose services
// are trivial, and draws on a surface that draws nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/module_loader.h"
#include "core/world.h"
#include "host/sketchpad.h"
#include "host/vessel.h"

namespace bench {

constexpr int kPortCount = 12;

// A surface that keeps only a sum of what it was given, so that no call can be
// left out.
class NullSketchpad final : public oapi::Sketchpad {
 public:
  unsigned int SetTextColor(unsigned int colour) override;
  bool Text(int x, int y, const char* text, int len) override;

  unsigned long sum = 0;

 private:
  unsigned int colour_ = 0;
};

// What the floors keep in place of the ring's fields.
struct FloorRing {
  VESSEL3* vessel = nullptr;
  AttachmentHandle port[kPortCount] = {};
  int next = 0;
};

// The loaded module and the rings the paths act on.
struct Rig {
  // Loads the module at path and sets up the rings; exits the process with a
  // message when the module does not load.
  explicit Rig(const std::string& path);
  Rig(const Rig&) = delete;
  Rig& operator=(const Rig&) = delete;
  Rig(Rig&&) = delete;
  Rig& operator=(Rig&&) = delete;
  ~Rig();

  std::unique_ptr<sim::VesselModule> module;
  VesselObject* empty_ring = nullptr;  // no payloads: for keys, which release them
  VesselObject* ring_5 = nullptr;      // payloads on PL1..PL5, PL1 selected
  VesselObject* ring_12 = nullptr;     // a payload on every port, PL1 selected
  // The rings' interfaces, as the simulator holds them.
  VESSEL3* empty = nullptr;
  VESSEL3* with_5 = nullptr;
  VESSEL3* with_12 = nullptr;
  FloorRing floor_empty;
  FloorRing floor_5;
  FloorRing floor_12;

  NullSketchpad sketchpad;
  HUDPAINTSPEC hud = {1280, 720, 640, 360};
  char keyboard[256] = {};
  char keyboard_shift[256] = {};
  double sink = 0.0;  // results of coefficient calls
};

// One path: the module's way and the floor's way of doing the same work.
struct HotPath {
  const char* name;
  void (*module)(Rig& rig);
  void (*floor)(Rig& rig);
};

// Every path, the composite "frame" last: a step with twelve payloads, a J
// press, a HUD frame and both coefficient calls.
const std::vector<HotPath>& HotPaths();

}  // namespace bench
