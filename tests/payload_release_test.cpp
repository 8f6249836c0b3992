// Selecting and releasing payloads with J and N, and the ring's empty mass
// following its load, through the real module as the simulator calls it.
#include <string>

#include "support/host_counters.h"
#include "support/module_fixture.h"

namespace {

const int kKeyJ = 0x24;
const int kKeyN = 0x31;
const int kLeftShift = 0x2A;
const int kRightShift = 0x36;
const int kLeftCtrl = 0x1D;
const int kRightCtrl = 0x9D;
const int kLeftAlt = 0x38;
const int kRightAlt = 0xB8;
const int kNothingHeld = -1;
const int kNoRelease = -1;

class PayloadRelease : public LoadedModule {
 protected:
  void SetUp() override {
    LoadedModule::SetUp();
    if (!HasFatalFailure()) ring = &AddRing();
  }

  int Press(int key, bool down = true) {
    return Callbacks(*ring).clbkKeyEvent(key, down, keyboard);
  }
  void Step() { Callbacks(*ring).clbkStepBegin(10.0, 0.02, 60000.0); }
  int& Selected() { return Ring(*ring).next_payload; }
  AttachmentObject& Port(int index) { return *ring->attachments[index]; }

  VesselObject* ring = nullptr;
  char keyboard[256] = {};
};

}  // namespace

TEST_F(PayloadRelease, KeysSelectAndReleaseOnlyOnAPressWithoutShiftOrCtrl) {
  const struct {
    const char* what;
    int selected;
    int key;
    bool down;
    int held_key;
    unsigned char held_state;
    int result;
    int selected_after;
    int released;  // the port whose release was requested
  } cases[] = {
      {"J on an empty PL1", 0, kKeyJ, true, kNothingHeld, 0, 1, 1, 0},
      {"J on PL6", 5, kKeyJ, true, kNothingHeld, 0, 1, 6, 5},
      {"J on PL11", 10, kKeyJ, true, kNothingHeld, 0, 1, 11, 10},
      {"J on PL12 wraps to PL1", 11, kKeyJ, true, kNothingHeld, 0, 1, 0, 11},
      {"N from PL1", 0, kKeyN, true, kNothingHeld, 0, 1, 1, kNoRelease},
      {"N from PL11", 10, kKeyN, true, kNothingHeld, 0, 1, 11, kNoRelease},
      {"N from PL12 wraps to PL1", 11, kKeyN, true, kNothingHeld, 0, 1, 0, kNoRelease},
      {"J released", 3, kKeyJ, false, kNothingHeld, 0, 0, 3, kNoRelease},
      {"N released", 11, kKeyN, false, kNothingHeld, 0, 0, 11, kNoRelease},
      {"J released with Shift held", 3, kKeyJ, false, kLeftShift, 0x80, 0, 3, kNoRelease},
      {"J with left Shift", 4, kKeyJ, true, kLeftShift, 0x80, 0, 4, kNoRelease},
      {"J with right Shift", 4, kKeyJ, true, kRightShift, 0x80, 0, 4, kNoRelease},
      {"J with left Ctrl", 4, kKeyJ, true, kLeftCtrl, 0x80, 0, 4, kNoRelease},
      {"J with right Ctrl", 4, kKeyJ, true, kRightCtrl, 0x80, 0, 4, kNoRelease},
      {"N with left Shift", 11, kKeyN, true, kLeftShift, 0x80, 0, 11, kNoRelease},
      {"N with right Shift", 11, kKeyN, true, kRightShift, 0x80, 0, 11, kNoRelease},
      {"N with left Ctrl", 11, kKeyN, true, kLeftCtrl, 0x80, 0, 11, kNoRelease},
      {"N with right Ctrl", 11, kKeyN, true, kRightCtrl, 0x80, 0, 11, kNoRelease},
      {"J with right Ctrl, every bit set", 2, kKeyJ, true, kRightCtrl, 0xFF, 0, 2, kNoRelease},
      {"J with left Shift's byte below bit 7", 2, kKeyJ, true, kLeftShift, 0x7F, 1, 3, 2},
      {"J with left Alt", 7, kKeyJ, true, kLeftAlt, 0x80, 1, 8, 7},
      {"N with right Alt", 7, kKeyN, true, kRightAlt, 0x80, 1, 8, kNoRelease},
      {"H, left of J", 6, 0x23, true, kNothingHeld, 0, 0, 6, kNoRelease},
      {"K, right of J", 6, 0x25, true, kNothingHeld, 0, 0, 6, kNoRelease},
      {"B, left of N", 6, 0x30, true, kNothingHeld, 0, 0, 6, kNoRelease},
      {"M, right of N", 6, 0x32, true, kNothingHeld, 0, 0, 6, kNoRelease},
      {"J's code as an extended key", 6, 0x24 | 0x80, true, kNothingHeld, 0, 0, 6, kNoRelease},
      {"left Shift itself", 6, kLeftShift, true, kNothingHeld, 0, 0, 6, kNoRelease},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.what);
    VesselObject& vessel = AddRing(example.what);
    char state[256] = {};
    if (example.held_key != kNothingHeld) {
      state[example.held_key] = static_cast<char>(example.held_state);
    }
    Ring(vessel).next_payload = example.selected;

    EXPECT_EQ(Callbacks(vessel).clbkKeyEvent(example.key, example.down, state), example.result);
    EXPECT_EQ(Ring(vessel).next_payload, example.selected_after);
    for (int port = 0; port < kPayloadPortCount; ++port) {
      EXPECT_EQ(vessel.attachments[port]->detach_requests, port == example.released ? 1 : 0)
          << "PL" << port + 1;
    }
  }
}

TEST_F(PayloadRelease, JReleasesThePayloadOnTheSelectedPortAtThreeTenthsOfAMetrePerSecond) {
  VesselObject* payload = sim::world().AttachPayload(*ring, "PL3", "Probe", 150.0);
  ASSERT_NE(payload, nullptr);
  Selected() = 2;

  EXPECT_EQ(Press(kKeyJ), 1);
  EXPECT_EQ(Port(2).child, nullptr);
  EXPECT_EQ(payload->attached_to, nullptr);
  EXPECT_EQ(payload->release_velocity, 0.3);
  EXPECT_EQ(Selected(), 3);
}

TEST_F(PayloadRelease, TwelvePressesGoRoundTheRingOnce) {
  Selected() = 7;
  for (int press = 0; press < kPayloadPortCount; ++press) EXPECT_EQ(Press(kKeyN), 1);
  EXPECT_EQ(Selected(), 7);

  for (int press = 0; press < kPayloadPortCount; ++press) {
    const int port = (7 + press) % kPayloadPortCount;
    EXPECT_EQ(Press(kKeyJ), 1);
    EXPECT_EQ(Port(port).detach_requests, 1) << "PL" << port + 1;
    EXPECT_EQ(Selected(), (port + 1) % kPayloadPortCount);
  }
  for (int port = 0; port < kPayloadPortCount; ++port) {
    EXPECT_EQ(Port(port).detach_requests, 1) << "PL" << port + 1;
  }
}

TEST_F(PayloadRelease, WithoutPayloadsEveryStepSetsExactlyTheRingsOwnMass) {
  for (int step = 1; step <= 5; ++step) {
    ring->empty_mass = -1.0;  // so that each step has to set it anew
    Step();
    EXPECT_EQ(ring->empty_mass, 200.0);
    EXPECT_EQ(sim::host_counters().Of(*ring).attachment_queries, 12 * step);
  }
  EXPECT_EQ(sim::host_counters().Of(*ring).mass_queries, 0);
}

TEST_F(PayloadRelease, EachStepAddsThePayloadsStillAttached) {
  VesselObject* first = sim::world().AttachPayload(*ring, "PL1", "Alpha", 150.0);
  VesselObject* fifth = sim::world().AttachPayload(*ring, "PL5", "Echo", 250.0);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(fifth, nullptr);

  Step();
  EXPECT_EQ(ring->empty_mass, 600.0);
  EXPECT_EQ(sim::host_counters().Of(*ring).attachment_queries, 12);
  EXPECT_EQ(sim::host_counters().Of(*first).mass_queries, 1);
  EXPECT_EQ(sim::host_counters().Of(*fifth).mass_queries, 1);

  EXPECT_EQ(Press(kKeyJ), 1);
  Step();
  EXPECT_EQ(ring->empty_mass, 450.0);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(sim::host_counters().Of(*ring).attachment_queries, 24);
  EXPECT_EQ(sim::host_counters().Of(*first).mass_queries, 1);  // released: its port reports empty
  EXPECT_EQ(sim::host_counters().Of(*fifth).mass_queries, 2);
  EXPECT_EQ(sim::host_counters().Of(*ring).mass_queries, 0);
}

TEST_F(PayloadRelease, StepEndAsksAndChangesNothing) {
  ASSERT_NE(sim::world().AttachPayload(*ring, "PL1", "Alpha", 150.0), nullptr);
  ring->empty_mass = 123.0;
  Callbacks(*ring).clbkStepEnd(10.0, 0.02, 60000.0);
  EXPECT_EQ(ring->empty_mass, 123.0);
  EXPECT_EQ(sim::host_counters().Of(*ring).attachment_queries, 0);
}
