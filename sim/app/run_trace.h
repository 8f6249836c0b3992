// The run, time step by time step: how each module vessel stood after every
// step. A run holds millions of steps that change nothing, so the trace keeps
// one entry per stretch of identical steps and counts them.
#pragma once

#include <string>
#include <vector>

#include "core/world.h"

namespace sim {

struct PortLoad {
  std::string payload;  // empty when the port holds nothing
  double mass = 0.0;    // kg

  bool operator==(const PortLoad& other) const {
    return payload == other.payload && mass == other.mass;
  }
};

struct VesselState {
  std::string vessel;
  std::string selected;  // the selected port; "-" when the vessel saves none
  double empty_mass = 0.0;
  std::vector<PortLoad> ports;  // one a port, in the order of the vessel's points

  bool operator==(const VesselState& other) const {
    return vessel == other.vessel && selected == other.selected && empty_mass == other.empty_mass &&
           ports == other.ports;
  }
};

// Steps of equal length that left every vessel the same: the first ends at
// first_time, each further one step_length later.
struct TraceStretch {
  double first_time = 0.0;
  double step_length = 0.0;
  long long steps = 0;
  std::vector<VesselState> vessels;
};

struct RunTrace {
  std::vector<std::string> port_ids;  // of the first vessel: the trace's port columns
  std::vector<TraceStretch> stretches;
};

// Reads the vessels after each step into a trace. Reading a step that leaves
// everything as it was allocates nothing but the selected port's text.
class TraceRecorder {
 public:
  // The state after loading, as a step of no length at time 0.
  void Start(const std::vector<VesselObject*>& vessels);
  // The state after a step of the given length that ended at time.
  void Record(double time, double step_length, const std::vector<VesselObject*>& vessels);

  const RunTrace& trace() const { return trace_; }

 private:
  void Read(const std::vector<VesselObject*>& vessels);

  RunTrace trace_;
  std::vector<VesselState> now_;  // reused from step to step
  double last_time_ = 0.0;
};

// One CSV row a step and vessel: time, vessel, selected port, the payload on
// it, empty mass, number of payloads attached, and a mass column a port (0
// for an empty port).
std::string TraceCsv(const RunTrace& trace);

// The port a ring has selected, as it saves it in its scenario block ("NPLS
// <index>" of its attachment points): the port's id, "-" for a vessel that
// saves none.
std::string SelectedPort(const VesselObject& vessel);

}  // namespace sim
