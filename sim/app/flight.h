// A flight of the stand-in: the events of a timeline applied to the world's
// module vessels, with a table of what happened printed as it goes.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "app/simulation.h"
#include "app/timeline.h"
#include "core/recording_sketchpad.h"

namespace sim {

class Flight {
 public:
  Flight(const Simulation& simulation, std::FILE* table);

  // The table's heading and the state right after loading.
  void Start();
  void Run(const TimelineEvent& event);
  // One HUD frame of every module vessel on the sketchpad, as the simulator
  // draws it; the last vessel's drawing stays recorded.
  void DrawHud(int width, int height, int mode, RecordingSketchpad& sketchpad) const;

 private:
  void Step(int count, double length);
  void PressKey(const TimelineEvent& event);
  void Row(const VesselObject& vessel, const std::string& event, const std::string& answer) const;

  const Simulation& simulation_;
  std::FILE* table_;
  double time_ = 0.0;
};

}  // namespace sim
