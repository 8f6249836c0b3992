// Class setup: every definition call, its values and its order, and the port
// handles the ring keeps.
#include <string>
#include <vector>

#include "support/heap.h"
#include "support/module_fixture.h"

namespace {

const std::string kTouchdownCall =
    std::string("SetTouchdownPoints([{(0, -1, 5), 1e+06, 1e+06, 0.7, 0.7}, ") +
    "{(-2, -1, -5), 1e+06, 1e+06, 0.7, 0.7}, {(2, -1, -5), 1e+06, 1e+06, 0.7, 0.7}], 3)";

const std::vector<std::string> kClassSetupCalls = {
    "SetSize(2)",
    "SetEmptyMass(200)",
    "SetPMI((2, 2, 0.75))",
    "SetCrossSections((5, 5, 3))",
    "SetCW(1, 1, 1, 1)",
    "SetRotDrag((2, 2, 1))",
    kTouchdownCall,
    "SetCameraOffset((0, 2, -2))",
    "AddMesh(\"Quendrall/vantrel\", null) = 0",
    "SetMeshVisibilityMode(0, 3)",
    "CreateAirfoil3(LIFT_VERTICAL, (0, 0, 1), function, null, 1, 2, 1) = #0",
    "CreateAirfoil3(LIFT_HORIZONTAL, (0, 0, 1), function, null, 1, 2, 1) = #1",
    "CreateAttachment(false, (0.987, 0, 1.09), (1, 0, 0), (0, 0, 1), \"PL1\", false) = #0",
    "CreateAttachment(false, (0, 0.987, 1.09), (0, 1, 0), (0, 0, 1), \"PL2\", false) = #1",
    "CreateAttachment(false, (-0.987, 0, 1.09), (-1, 0, 0), (0, 0, 1), \"PL3\", false) = #2",
    "CreateAttachment(false, (0, -0.987, 1.09), (0, -1, 0), (0, 0, 1), \"PL4\", false) = #3",
    "CreateAttachment(false, (0.987, 0, 0), (1, 0, 0), (0, 0, 1), \"PL5\", false) = #4",
    "CreateAttachment(false, (0, 0.987, 0), (0, 1, 0), (0, 0, 1), \"PL6\", false) = #5",
    "CreateAttachment(false, (-0.987, 0, 0), (-1, 0, 0), (0, 0, 1), \"PL7\", false) = #6",
    "CreateAttachment(false, (0, -0.987, 0), (0, -1, 0), (0, 0, 1), \"PL8\", false) = #7",
    "CreateAttachment(false, (0.987, 0, -1.09), (1, 0, 0), (0, 0, 1), \"PL9\", false) = #8",
    "CreateAttachment(false, (0, 0.987, -1.09), (0, 1, 0), (0, 0, 1), \"PL10\", false) = #9",
    "CreateAttachment(false, (-0.987, 0, -1.09), (-1, 0, 0), (0, 0, 1), \"PL11\", false) = #10",
    "CreateAttachment(false, (0, -0.987, -1.09), (0, -1, 0), (0, 0, 1), \"PL12\", false) = #11",
};

}  // namespace

using ClassSetup = LoadedModule;

TEST_F(ClassSetup, TellsTheSimulatorEveryValueInOrder) {
  const VesselObject& ring = AddRing();
  EXPECT_EQ(ring.definition_calls, kClassSetupCalls);
  EXPECT_EQ(ring.empty_mass, 200.0);
}

TEST_F(ClassSetup, KeepsThePortHandlesInTableOrderAndSelectsTheFirst) {
  const VesselObject& ring = AddRing();
  ASSERT_EQ(ring.attachments.size(), 12U);
  for (int port = 0; port < kPayloadPortCount; ++port) {
    EXPECT_EQ(Ring(ring).payload_port[port], ring.attachments[port].get());
    EXPECT_EQ(ring.attachments[port]->id, "PL" + std::to_string(port + 1));
  }
  EXPECT_EQ(Ring(ring).next_payload, 0);
}

// Construction selects the first port and holds no ports, whatever the new
// memory held; class setup then fills every handle and selects the first port.
TEST_F(ClassSetup, SelectsTheFirstPortWhateverTheNewInstanceHeld) {
  VesselObject& vessel = sim::world().AddVessel("Ring", "vantrel");
  vessel.module = module.get();
  sim::heap_probe().fill_with_garbage = true;
  vessel.interface = module->ovcInit(&vessel, 1);
  sim::heap_probe().fill_with_garbage = false;
  ASSERT_NE(vessel.interface, nullptr);
  EXPECT_EQ(Ring(vessel).next_payload, 0);
  for (AttachmentHandle port : Ring(vessel).payload_port) EXPECT_EQ(port, nullptr);

  Ring(vessel).next_payload = 4;
  sim::World::DefineClass(vessel);
  EXPECT_EQ(Ring(vessel).next_payload, 0);
  for (int port = 0; port < kPayloadPortCount; ++port) {
    EXPECT_EQ(Ring(vessel).payload_port[port], vessel.attachments[port].get());
  }
}

TEST_F(ClassSetup, RunningAgainOverwritesEveryHandleAndTheSelection) {
  VesselObject& ring = AddRing();
  Ring(ring).next_payload = 7;
  sim::World::DefineClass(ring);
  ASSERT_EQ(ring.attachments.size(), 24U);  // the first run's ports stay
  for (int port = 0; port < kPayloadPortCount; ++port) {
    EXPECT_EQ(Ring(ring).payload_port[port], ring.attachments[12 + port].get());
  }
  EXPECT_EQ(Ring(ring).next_payload, 0);
}
