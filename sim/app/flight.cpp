#include "app/flight.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "app/text_formats.h"
#include "core/scenario.h"
#include "host/vessel.h"

namespace sim {

namespace {

// The simulation starts at noon, 1 January 2000, as modified Julian date.
const double kStartMjd = 51544.5;
const double kSecondsPerDay = 86400.0;
const unsigned char kKeyHeld = 0x80;
// Steps between two looks at the clock for the progress line.
const std::int64_t kStepsPerProgressUpdate = 1 << 16;
// A key event is two rows: the press and the release.
const char kPressed[] = " (press)";
const char kReleased[] = " (release)";

// One HUD frame of the vessel on a cleared sketchpad, as the simulator draws
// it; gives the callback's answer.
bool DrawFrame(const VesselObject& vessel, int width, int height, int mode,
               RecordingSketchpad& sketchpad) {
  const HUDPAINTSPEC spec = {width, height, width / 2, height / 2};
  sketchpad.Clear();
  return Callbacks(vessel).clbkDrawHUD(mode, &spec, &sketchpad);
}

}  // namespace

Flight::Flight(const Simulation& simulation, std::FILE* out, const RunTable& table)
    : simulation_(simulation), out_(out), table_(table) {}

void Flight::Start() {
  std::fputs(table_.Heading().c_str(), out_);
  const std::vector<VesselObject*> vessels = simulation_.ModuleVessels();
  for (const VesselObject* vessel : vessels) Write(Record(*vessel, "load", {}));
  if (recorder_ != nullptr) recorder_->Start(vessels);
}

void Flight::Run(const TimelineEvent& event) {
  switch (event.kind) {
    case TimelineEvent::Kind::kStep:
      Step(event.step_count, event.step_length);
      for (const VesselObject* vessel : simulation_.ModuleVessels()) {
        Write(Record(*vessel, event.text, {}));
      }
      break;
    case TimelineEvent::Kind::kKey:
      PressKey(event);
      break;
    case TimelineEvent::Kind::kHud:
      DrawHudEvent(event);
      break;
  }
}

void Flight::Finish() {
  std::fputs(table_.Ending().c_str(), out_);
  std::fflush(out_);
}

void Flight::DrawHud(int width, int height, int mode, RecordingSketchpad& sketchpad) const {
  for (const VesselObject* vessel : simulation_.ModuleVessels()) {
    DrawFrame(*vessel, width, height, mode, sketchpad);
  }
}

// Each step, every vessel's step-begin callback runs, then every vessel's
// step-end callback.
void Flight::Step(std::int64_t count, double length) {
  for (std::int64_t step = 0; step < count; ++step, ++steps_) {
    if (progress_ != nullptr && steps_ % kStepsPerProgressUpdate == 0) progress_->Update(steps_);
    time_ += length;
    world().time = time_;
    const double mjd = kStartMjd + time_ / kSecondsPerDay;
    for (const VesselObject* vessel : simulation_.ModuleVessels()) {
      Callbacks(*vessel).clbkStepBegin(time_, length, mjd);
    }
    for (const VesselObject* vessel : simulation_.ModuleVessels()) {
      Callbacks(*vessel).clbkStepEnd(time_, length, mjd);
    }
    if (recorder_ != nullptr) recorder_->Record(time_, length, simulation_.ModuleVessels());
  }
}

// A key goes down and comes up again, with the named keys held throughout;
// the focus vessel, the first one, gets both events.
void Flight::PressKey(const TimelineEvent& event) {
  const std::vector<VesselObject*> vessels = simulation_.ModuleVessels();
  if (vessels.empty()) return;
  std::array<char, 256> keyboard{};
  for (int held : event.held_keys) keyboard[held] = static_cast<char>(kKeyHeld);
  keyboard[event.key_code] = static_cast<char>(kKeyHeld);
  VESSEL3& focus = Callbacks(*vessels.front());
  const int pressed = focus.clbkKeyEvent(event.key_code, true, keyboard.data());
  Write(Record(*vessels.front(), event.text + kPressed, {Answer::Kind::kNumber, pressed}));
  keyboard[event.key_code] = 0;
  const int released = focus.clbkKeyEvent(event.key_code, false, keyboard.data());
  Write(Record(*vessels.front(), event.text + kReleased, {Answer::Kind::kNumber, released}));
}

void Flight::DrawHudEvent(const TimelineEvent& event) {
  RecordingSketchpad sketchpad;
  for (const VesselObject* vessel : simulation_.ModuleVessels()) {
    const bool drawn =
        DrawFrame(*vessel, event.hud_width, event.hud_height, event.hud_mode, sketchpad);
    EventRecord record = Record(*vessel, event.text, {Answer::Kind::kBool, drawn ? 1 : 0});
    for (const SketchpadCall& call : sketchpad.calls()) {
      if (call.kind == SketchpadCall::Kind::kText) {
        record.hud.push_back({call.x, call.y, std::string(call.Text())});
      }
    }
    Write(record);
    if (hud_frames_ != nullptr) {
      hud_frames_->push_back({vessel->name, time_, event.hud_width, event.hud_height,
                              event.hud_mode, sketchpad.calls()});
    }
  }
}

EventRecord Flight::Record(const VesselObject& vessel, const std::string& event,
                           Answer answer) const {
  EventRecord record;
  record.time = time_;
  record.vessel = vessel.name;
  record.event = event;
  record.answer = answer;
  record.empty_mass = vessel.empty_mass;
  const std::string selected = SelectedPort(vessel);
  if (selected != "-") record.port = selected;
  for (size_t index = 0; index < vessel.attachments.size(); ++index) {
    const AttachmentObject& point = *vessel.attachments[index];
    if (point.child == nullptr) continue;
    record.attached.push_back({point.id, point.child->name, index});
    if (point.id == selected) record.payload = point.child->name;
  }
  return record;
}

void Flight::Write(const EventRecord& record) {
  std::fputs(table_.Record(record, records_++).c_str(), out_);
}

TextWidths MeasureRun(const Simulation& simulation, const std::vector<TimelineEvent>& events) {
  TextWidths widths;
  for (const TimelineEvent& event : events) {
    size_t width = DisplayWidth(event.text);
    if (event.kind == TimelineEvent::Kind::kKey) width += sizeof kReleased - 1;
    widths.event = std::max(widths.event, width);
  }
  for (const VesselObject* vessel : simulation.ModuleVessels()) {
    widths.vessel = std::max(widths.vessel, DisplayWidth(vessel->name));
    for (const auto& point : vessel->attachments) {
      widths.port = std::max(widths.port, DisplayWidth(point->id));
      if (point->child != nullptr) {
        widths.payload = std::max(widths.payload, DisplayWidth(point->child->name));
      }
    }
  }
  return widths;
}

}  // namespace sim
