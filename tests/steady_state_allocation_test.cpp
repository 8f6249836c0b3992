// What runs on every time step, key press, HUD frame and airfoil evaluation
// allocates nothing, host included: the whole process's heap is counted across
// many calls.
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

TEST_F(SteadyState, CoefficientFunctionsAllocateNothing) {
  const VesselObject& ring = AddRing();
  double checksum = 0.0;
  const std::size_t before = sim::heap_probe().allocations;
  for (int call = 0; call < 1000; ++call) {
    for (const auto& airfoil : ring.airfoils) {
      double cl = 0.0;
      double cm = 0.0;
      double cd = 0.0;
      airfoil->coefficients(ring.interface, -3.0 + call * 0.006, call * 0.003, 1e6,
                            airfoil->context, &cl, &cm, &cd);
      checksum += cd;
    }
  }
  EXPECT_EQ(sim::heap_probe().allocations - before, 0U);
  EXPECT_GT(checksum, 2 * 1000 * 0.03);  // every call gave its drag
  EXPECT_TRUE(sim::world().wave_drag_arguments.has_value());
}
