// The payload adapter ring: a passive ring with twelve payload ports.
#pragma once

#include "host/vessel.h"

constexpr int kPayloadPortCount = 12;

// The ring's own mass, without payloads: what class setup gives the simulator
// and what every time step adds the payload masses to.
constexpr double kRingEmptyMass = 200.0;

class vantrel final : public VESSEL3 {
 public:
  vantrel(VesselHandle vessel, int flight_model);

  // The callbacks the ring answers itself, in the order of the callback table.
  void clbkDefineClass(void* config) override;
  void clbkSaveState(void* scenario) override;
  void clbkLoadState(void* scenario, void* status) override;
  void clbkStepBegin(double sim_time, double sim_step, double mjd) override;
  void clbkStepEnd(double sim_time, double sim_step, double mjd) override;
  int clbkKeyEvent(int key, bool down, char* keyboard_state) override;
  bool clbkDrawHUD(int mode, const HUDPAINTSPEC* spec, oapi::Sketchpad* skp) override;

  // Asks the simulator to release the payload on the selected port, then
  // selects the next port.
  void JettisonPayload();

  // The selected port (0 selects "PL1") and the ports "PL1".."PL12". Class
  // setup gives both their values; until it runs the first port is selected
  // and every handle is null, so a callback that comes too early finds no port
  // rather than whatever the memory held.
  int next_payload = 0;
  AttachmentHandle payload_port[kPayloadPortCount] = {};
};
