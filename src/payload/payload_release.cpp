// VESSEL2::clbkStepBegin, clbkStepEnd and clbkKeyEvent: selecting and
// releasing payloads, and the ring's empty mass following its load. The ring
// keeps no payload list and no masses; it asks the host each step.
#include <algorithm>
#include <iterator>

#include "host/api.h"
#include "vessel/vantrel.h"

namespace {

const double kReleaseVelocity = 0.3;  // m/s, given to every released payload

// The simulator's key codes (PC scan codes).
const int kKeyJettison = 0x24;    // J
const int kKeySelectNext = 0x31;  // N
// Left and right Shift, left and right Ctrl: while one is held, J and N do
// nothing. Alt does not block them.
const int kBlockingModifiers[] = {0x2A, 0x36, 0x1D, 0x9D};
const unsigned char kKeyHeld = 0x80;

int PortAfter(int port) { return port == kPayloadPortCount - 1 ? 0 : port + 1; }

bool AnyModifierHeld(const char* keyboard_state) {
  return std::any_of(
      std::begin(kBlockingModifiers), std::end(kBlockingModifiers), [keyboard_state](int modifier) {
        return (static_cast<unsigned char>(keyboard_state[modifier]) & kKeyHeld) != 0;
      });
}

}  // namespace

void vantrel::clbkStepBegin(double /*sim_time*/, double /*sim_step*/, double /*mjd*/) {
  double payload_mass = 0.0;
  for (AttachmentHandle port : payload_port) {
    VesselHandle payload = GetAttachmentStatus(port);
    if (payload != nullptr) payload_mass += oapiGetMass(payload);
  }
  SetEmptyMass(payload_mass + kRingEmptyMass);
}

void vantrel::clbkStepEnd(double /*sim_time*/, double /*sim_step*/, double /*mjd*/) {}

int vantrel::clbkKeyEvent(int key, bool down, char* keyboard_state) {
  if (!down) return 0;
  if (AnyModifierHeld(keyboard_state)) return 0;
  if (key == kKeyJettison) {
    JettisonPayload();
    return 1;
  }
  if (key == kKeySelectNext) {
    next_payload = PortAfter(next_payload);
    return 1;
  }
  return 0;
}

// The release is requested whether or not the port holds a payload; the
// selection moves on either way.
void vantrel::JettisonPayload() {
  DetachChild(payload_port[next_payload], kReleaseVelocity);
  next_payload = PortAfter(next_payload);
}
