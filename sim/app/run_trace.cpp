#include "app/run_trace.h"

#include <algorithm>
#include <cstdlib>

#include "app/text_formats.h"
#include "core/call_text.h"
#include "core/scenario.h"

namespace sim {

void TraceRecorder::Start(const std::vector<VesselObject*>& vessels) {
  trace_ = {};
  if (!vessels.empty()) {
    for (const auto& point : vessels.front()->attachments) trace_.port_ids.push_back(point->id);
  }
  Read(vessels);
  trace_.stretches.push_back({0.0, 0.0, 1, now_});
  last_time_ = 0.0;
}

void TraceRecorder::Record(double time, double step_length,
                           const std::vector<VesselObject*>& vessels) {
  Read(vessels);
  TraceStretch& last = trace_.stretches.back();
  // A stretch holds steps that follow one another at its length, so that
  // adding the length again and again gives back each step's time.
  if (last.step_length == step_length && time == last_time_ + step_length && last.vessels == now_) {
    ++last.steps;
  } else {
    trace_.stretches.push_back({time, step_length, 1, now_});
  }
  last_time_ = time;
}

void TraceRecorder::Read(const std::vector<VesselObject*>& vessels) {
  now_.resize(vessels.size());
  for (size_t i = 0; i < vessels.size(); ++i) {
    const VesselObject& vessel = *vessels[i];
    VesselState& state = now_[i];
    state.vessel = vessel.name;
    state.selected = SelectedPort(vessel);
    state.empty_mass = vessel.empty_mass;
    state.ports.resize(vessel.attachments.size());
    for (size_t port = 0; port < vessel.attachments.size(); ++port) {
      const VesselObject* child = vessel.attachments[port]->child;
      state.ports[port].payload = child != nullptr ? child->name : "";
      state.ports[port].mass = child != nullptr ? child->empty_mass : 0.0;
    }
  }
}

std::string TraceCsv(const RunTrace& trace) {
  std::string text = "time,vessel,port,payload,empty_mass,attached";
  for (const std::string& id : trace.port_ids) text += "," + CsvField(id + " mass");
  text += "\n";
  for (const TraceStretch& stretch : trace.stretches) {
    // The rows of a stretch differ only in their time.
    std::vector<std::string> rows;
    for (const VesselState& state : stretch.vessels) {
      const auto selected = std::find(trace.port_ids.begin(), trace.port_ids.end(), state.selected);
      const size_t index = static_cast<size_t>(selected - trace.port_ids.begin());
      const std::string payload = index < state.ports.size() ? state.ports[index].payload : "";
      const auto attached =
          std::count_if(state.ports.begin(), state.ports.end(),
                        [](const PortLoad& load) { return !load.payload.empty(); });
      std::string row = "," + CsvField(state.vessel) + "," + CsvField(state.selected) + "," +
                        CsvField(payload) + "," + ArgumentText(state.empty_mass) + "," +
                        std::to_string(attached);
      for (size_t port = 0; port < trace.port_ids.size(); ++port) {
        row += "," + ArgumentText(port < state.ports.size() ? state.ports[port].mass : 0.0);
      }
      rows.push_back(row + "\n");
    }
    double time = stretch.first_time;
    for (long long step = 0; step < stretch.steps; ++step, time += stretch.step_length) {
      const std::string time_text = ArgumentText(time);
      for (const std::string& row : rows) text += time_text + row;
    }
  }
  return text;
}

std::string SelectedPort(const VesselObject& vessel) {
  for (const std::string& line : SaveVesselState(vessel)) {
    if (line.compare(0, 5, "NPLS ") != 0) continue;
    const long index = std::strtol(line.c_str() + 5, nullptr, 10);
    if (index >= 0 && static_cast<size_t>(index) < vessel.attachments.size()) {
      return vessel.attachments[static_cast<size_t>(index)]->id;
    }
  }
  return "-";
}

}  // namespace sim
