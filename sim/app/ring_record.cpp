#include "app/ring_record.h"

#include <algorithm>

#include "app/run_trace.h"

namespace sim {

namespace {

RingRecord RecordRing(const World& world, const VesselObject& ring) {
  RingRecord record;
  record.vessel = ring.name;
  record.selected = SelectedPort(ring);
  record.empty_mass = ring.empty_mass;
  for (const auto& point : ring.attachments) {
    if (point->to_parent) continue;
    PortRecord port{point->id, point->position, point->direction, "", 0.0};
    if (point->child != nullptr) {
      port.payload = point->child->name;
      port.payload_mass = point->child->empty_mass;
    }
    record.ports.push_back(std::move(port));
  }
  for (const auto& vessel : world.vessels()) {
    const AttachmentObject* from = vessel->released_from;
    if (from == nullptr || from->owner != &ring || !vessel->release_velocity) continue;
    record.releases.push_back({vessel->name, vessel->empty_mass, from->id, vessel->release_time,
                               *vessel->release_velocity});
  }
  std::stable_sort(record.releases.begin(), record.releases.end(),
                   [](const ReleaseRecord& a, const ReleaseRecord& b) { return a.time < b.time; });
  return record;
}

}  // namespace

std::vector<RingRecord> RecordRings(const World& world) {
  std::vector<RingRecord> rings;
  for (const auto& vessel : world.vessels()) {
    if (vessel->interface != nullptr) rings.push_back(RecordRing(world, *vessel));
  }
  return rings;
}

}  // namespace sim
