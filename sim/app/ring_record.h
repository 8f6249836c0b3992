// What the host recorded of a ring: the attachment points that its class
// setup created, what each holds, the payloads it released (when, from where,
// how fast) and its selected port. The pictures of a run draw from this.
#pragma once

#include <string>
#include <vector>

#include "core/world.h"

namespace sim {

struct PortRecord {
  std::string id;
  VECTOR3 position{};   // m, in the ring's frame; its z axis is the ring's axis
  VECTOR3 direction{};  // unit vector, outward
  std::string payload;  // empty when the port holds nothing
  double payload_mass = 0.0;
};

struct ReleaseRecord {
  std::string payload;
  double mass = 0.0;      // kg
  std::string port;       // the port it left
  double time = 0.0;      // s
  double velocity = 0.0;  // m/s
};

struct RingRecord {
  std::string vessel;
  std::string selected;  // port id, or "-"
  double empty_mass = 0.0;
  std::vector<PortRecord> ports;        // the points payloads attach to, in creation order
  std::vector<ReleaseRecord> releases;  // in the order of release
};

// The records of the simulation's module vessels, as they are now.
std::vector<RingRecord> RecordRings(const World& world);

}  // namespace sim
