// The callbacks that run on every time step, key press and HUD frame allocate
// nothing: the whole process's heap is counted across many calls.
#include <string>

#include "core/recording_sketchpad.h"
#include "support/heap.h"
#include "support/host_counters.h"
#include "support/module_fixture.h"

using SteadyState = LoadedModule;

TEST_F(SteadyState, StepKeyAndHudCallbacksAllocateNothing) {
  VesselObject& ring = AddRing();
  for (int port = 1; port <= kPayloadPortCount; ++port) {
    const std::string id = "PL" + std::to_string(port);
    ASSERT_NE(sim::world().AttachPayload(ring, id, "Payload " + id, 10.0 * port), nullptr);
  }
  VESSEL3& callbacks = Callbacks(ring);
  sim::RecordingSketchpad sketchpad;
  const HUDPAINTSPEC spec = {1280, 720, 640, 360};
  char keyboard[256] = {};
  const int keys[] = {0x24, 0x31, 0x24, 0x23, 0x24, 0x31};  // J, N and H
  callbacks.clbkDrawHUD(0, &spec, &sketchpad);  // the record grows to a frame's size once

  const std::size_t before = sim::heap_probe().allocations;
  for (int frame = 0; frame < 1000; ++frame) {
    callbacks.clbkStepBegin(frame * 0.02, 0.02, 60000.0);
    callbacks.clbkKeyEvent(keys[frame % 6], frame % 7 != 0, keyboard);
    sketchpad.Clear();
    callbacks.clbkDrawHUD(frame % 4, &spec, &sketchpad);
  }
  EXPECT_EQ(sim::heap_probe().allocations - before, 0U);

  // The calls did their work: every payload went, and the frames kept asking.
  EXPECT_EQ(ring.empty_mass, 200.0);
  EXPECT_EQ(sim::host_counters().Of(ring).attachment_queries, 1 + 1000 * 13);
  EXPECT_EQ(sketchpad.calls().size(), 6U);
}
