// A flight of the stand-in: the events of a timeline applied to the world's
// module vessels, with a table of what happened written as it goes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/hud_svg.h"
#include "app/progress.h"
#include "app/run_table.h"
#include "app/run_trace.h"
#include "app/simulation.h"
#include "app/timeline.h"
#include "core/recording_sketchpad.h"

namespace sim {

class Flight {
 public:
  // The table's records go to out in the table's format.
  Flight(const Simulation& simulation, std::FILE* out, const RunTable& table);

  // Also read every vessel after every time step into the recorder, or keep
  // each HUD frame that a hud event draws. Both before Start.
  void RecordTrace(TraceRecorder& recorder) { recorder_ = &recorder; }
  void KeepHudFrames(std::vector<HudFrame>& frames) { hud_frames_ = &frames; }

  // Steps report to progress from now on, when it is not null.
  void ReportTo(Progress* progress) { progress_ = progress; }

  // The table's heading and the state right after loading.
  void Start();
  void Run(const TimelineEvent& event);
  // The table's end.
  void Finish();
  // One HUD frame of every module vessel on the sketchpad, as the simulator
  // draws it; the last vessel's drawing stays recorded.
  void DrawHud(int width, int height, int mode, RecordingSketchpad& sketchpad) const;

 private:
  void Step(std::int64_t count, double length);
  void PressKey(const TimelineEvent& event);
  void DrawHudEvent(const TimelineEvent& event);
  EventRecord Record(const VesselObject& vessel, const std::string& event, Answer answer) const;
  void Write(const EventRecord& record);

  const Simulation& simulation_;
  std::FILE* out_;
  const RunTable& table_;
  size_t records_ = 0;
  double time_ = 0.0;
  std::int64_t steps_ = 0;  // taken so far
  Progress* progress_ = nullptr;
  TraceRecorder* recorder_ = nullptr;
  std::vector<HudFrame>* hud_frames_ = nullptr;
};

// The widths the text table needs for the vessels and payloads of the
// simulation and the events of the timeline.
TextWidths MeasureRun(const Simulation& simulation, const std::vector<TimelineEvent>& events);

}  // namespace sim
