// The payload adapter ring: a passive ring with twelve payload ports.
#pragma once

#include "host/vessel.h"

constexpr int kPayloadPortCount = 12;

class vantrel final : public VESSEL3 {
 public:
  vantrel(VesselHandle vessel, int flight_model);

  // Class setup.
  void clbkDefineClass(void* config) override;

  // The selected port (0 selects "PL1") and the ports "PL1".."PL12". Class
  // setup gives both their first values; construction leaves them unset.
  int next_payload;
  AttachmentHandle payload_port[kPayloadPortCount];
};
