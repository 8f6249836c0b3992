// The real module's state loading on any scenario lines, handed over by the
// host one at a time; then keys, steps and HUD frames chosen by the input's
// bytes, and a save and reload. The selection must stay a port throughout,
// and the saved line must read back to the same selection.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/module_loader.h"
#include "core/recording_sketchpad.h"
#include "core/scenario.h"
#include "core/world.h"
#include "memory_file.h"
#include "vessel/vantrel.h"

namespace {

const int kKeyJ = 0x24;
const int kKeyN = 0x31;
const int kLeftShift = 0x2A;
const std::size_t kMostActions = 64;

const sim::VesselModule& Module() {
  static const std::unique_ptr<sim::VesselModule> module = [] {
    std::string error;
    auto opened = sim::VesselModule::Open(VANTREL_MODULE_PATH, error);
    if (opened == nullptr) fuzz::Fail(error);
    return opened;
  }();
  return *module;
}

int Selection(const VesselObject& ring) {
  const int selected = static_cast<const vantrel*>(ring.interface)->next_payload;
  if (selected < 0 || selected >= kPayloadPortCount) {
    fuzz::Fail("the selection left the ports: " + std::to_string(selected));
  }
  return selected;
}

std::vector<std::string> Lines(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n') {
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char>(data[i]);
    }
  }
  return lines;
}

// One action per byte: J, N, J with Shift, a release, a step or a HUD frame.
void Act(VesselObject& ring, std::uint8_t byte, sim::RecordingSketchpad& sketchpad) {
  VESSEL3& callbacks = sim::Callbacks(ring);
  char keyboard[256] = {};
  switch (byte % 6) {
    case 0:
      callbacks.clbkKeyEvent(kKeyJ, true, keyboard);
      break;
    case 1:
      callbacks.clbkKeyEvent(kKeyN, true, keyboard);
      break;
    case 2:
      keyboard[kLeftShift] = static_cast<char>(0x80);
      callbacks.clbkKeyEvent(kKeyJ, true, keyboard);
      break;
    case 3:
      callbacks.clbkKeyEvent(byte, false, keyboard);
      break;
    case 4:
      callbacks.clbkStepBegin(1.0, 0.02, 51544.5);
      break;
    default: {
      const HUDPAINTSPEC spec = {1 + byte * 8, 1 + byte * 5, 0, 0};
      sketchpad.Clear();
      callbacks.clbkDrawHUD(byte, &spec, &sketchpad);
      if (sketchpad.calls().size() != 6) fuzz::Fail("a HUD frame without its three lines");
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const sim::VesselModule& module = Module();
  sim::World& world = sim::world();
  VesselObject* ring = sim::LoadModuleVessel(world, "Ring", "vantrel", module, Lines(data, size));
  if (ring == nullptr) fuzz::Fail("no ring");
  for (int port = 1; port <= 4; ++port) {
    world.AttachPayload(*ring, "PL" + std::to_string(port), "Payload-" + std::to_string(port), 10);
  }
  Selection(*ring);

  sim::RecordingSketchpad sketchpad;
  for (std::size_t i = 0; i < size && i < kMostActions; ++i) {
    Act(*ring, data[size - 1 - i], sketchpad);
    Selection(*ring);
  }

  const std::vector<std::string> saved = sim::SaveVesselState(*ring);
  const std::string expected = "NPLS " + std::to_string(Selection(*ring));
  if (saved.empty() || saved.back() != expected) fuzz::Fail("the saved state lacks " + expected);
  VesselObject* reloaded = sim::LoadModuleVessel(world, "Reloaded", "vantrel", module, saved);
  if (reloaded == nullptr || Selection(*reloaded) != Selection(*ring)) {
    fuzz::Fail("the saved selection reads back as another");
  }
  world.Clear();
  return 0;
}
