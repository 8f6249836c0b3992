// A flight of the stand-in: the events of a timeline applied to the world's
// module vessels, with a table of what happened printed as it goes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/progress.h"
#include "app/simulation.h"
#include "app/timeline.h"
#include "core/recording_sketchpad.h"

namespace sim {

// The time column's text: eight characters for any finite time, fixed
// below 10^5 seconds and in powers of ten above.
std::string TimeText(double seconds);

class Flight {
 public:
  Flight(const Simulation& simulation, std::FILE* table);

  // Steps report to progress from now on, when it is not null.
  void ReportTo(Progress* progress) { progress_ = progress; }

  // The table's heading and the state right after loading.
  void Start();
  void Run(const TimelineEvent& event);
  // One HUD frame of every module vessel on the sketchpad, as the simulator
  // draws it; the last vessel's drawing stays recorded.
  void DrawHud(int width, int height, int mode, RecordingSketchpad& sketchpad) const;

 private:
  void Step(std::int64_t count, double length);
  void PressKey(const TimelineEvent& event);
  void Row(const VesselObject& vessel, const std::string& event, const std::string& answer) const;

  const Simulation& simulation_;
  std::FILE* table_;
  double time_ = 0.0;
  std::int64_t steps_ = 0;  // taken so far
  Progress* progress_ = nullptr;
};

}  // namespace sim
