#include "support/host_counters.h"

#include <cstdlib>

#include "core/world.h"

namespace sim {

namespace {

// Watching from before the first test.
const bool kInstalled = [] {
  world().probe = &host_counters();
  return true;
}();

}  // namespace

VesselCounts HostCounters::Of(const VesselObject& vessel) const {
  for (const Entry& entry : entries_) {
    if (entry.vessel == &vessel) return entry.counts;
  }
  return {};
}

VesselCounts& HostCounters::Find(const VesselObject& vessel) {
  for (Entry& entry : entries_) {
    if (entry.vessel == &vessel) return entry.counts;
  }
  for (Entry& entry : entries_) {
    if (entry.vessel == nullptr) {
      entry.vessel = &vessel;
      return entry.counts;
    }
  }
  std::abort();  // more vessels than a test needs
}

void HostCounters::AttachmentQueried(const VesselObject& vessel) {
  ++Find(vessel).attachment_queries;
}
void HostCounters::MassQueried(const VesselObject& vessel) { ++Find(vessel).mass_queries; }
void HostCounters::NameQueried(const VesselObject& vessel) { ++Find(vessel).name_queries; }
void HostCounters::DefaultHudDrawn(const VesselObject& vessel) { ++Find(vessel).default_hud_draws; }

std::optional<int> HostCounters::DateConverted() {
  ++date_to_int_calls;
  return date_to_int_answer;
}

void HostCounters::WorldCleared() {
  entries_ = {};
  date_to_int_calls = 0;
  date_to_int_answer.reset();
}

HostCounters& host_counters() {
  static HostCounters counters;
  return counters;
}

}  // namespace sim
