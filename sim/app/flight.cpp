#include "app/flight.h"

#include <array>
#include <cstdlib>

#include "core/scenario.h"
#include "host/vessel.h"

namespace sim {

namespace {

// The simulation starts at noon, 1 January 2000, as modified Julian date.
const double kStartMjd = 51544.5;
const double kSecondsPerDay = 86400.0;
const unsigned char kKeyHeld = 0x80;

// One HUD frame of the vessel on a cleared sketchpad, as the simulator draws
// it; gives the callback's answer.
bool DrawFrame(const VesselObject& vessel, int width, int height, int mode,
               RecordingSketchpad& sketchpad) {
  const HUDPAINTSPEC spec = {width, height, width / 2, height / 2};
  sketchpad.Clear();
  return Callbacks(vessel).clbkDrawHUD(mode, &spec, &sketchpad);
}

// The port a ring has selected, as it saves it in its scenario block ("NPLS
// <index>"); "-" for a vessel that saves none.
std::string SelectedPort(const VesselObject& vessel) {
  for (const std::string& line : SaveVesselState(vessel)) {
    if (line.compare(0, 5, "NPLS ") == 0) {
      return "PL" + std::to_string(std::atoi(line.c_str() + 5) + 1);
    }
  }
  return "-";
}

std::string PayloadOn(const VesselObject& vessel, const std::string& port) {
  for (const auto& point : vessel.attachments) {
    if (point->id == port) return point->child != nullptr ? point->child->name : "none";
  }
  return "-";
}

std::string AttachedPayloads(const VesselObject& vessel) {
  std::string text;
  for (const auto& point : vessel.attachments) {
    if (point->child == nullptr) continue;
    text += (text.empty() ? "" : ", ") + point->id + " " + point->child->name;
  }
  return text.empty() ? "none" : text;
}

}  // namespace

Flight::Flight(const Simulation& simulation, std::FILE* table)
    : simulation_(simulation), table_(table) {}

void Flight::Start() {
  std::fprintf(table_, "%8s  %-8s  %-22s  %-6s  %-4s  %-10s  %10s  %s\n", "time", "vessel", "event",
               "answer", "port", "payload", "empty mass", "attached");
  for (const VesselObject* vessel : simulation_.ModuleVessels()) Row(*vessel, "load", "-");
}

void Flight::Run(const TimelineEvent& event) {
  switch (event.kind) {
    case TimelineEvent::Kind::kStep:
      Step(event.step_count, event.step_length);
      for (const VesselObject* vessel : simulation_.ModuleVessels()) Row(*vessel, event.text, "-");
      break;
    case TimelineEvent::Kind::kKey:
      PressKey(event);
      break;
    case TimelineEvent::Kind::kHud: {
      RecordingSketchpad sketchpad;
      for (const VesselObject* vessel : simulation_.ModuleVessels()) {
        const bool drawn =
            DrawFrame(*vessel, event.hud_width, event.hud_height, event.hud_mode, sketchpad);
        Row(*vessel, event.text, drawn ? "true" : "false");
        for (const SketchpadCall& call : sketchpad.calls()) {
          if (call.kind != SketchpadCall::Kind::kText) continue;
          std::fprintf(table_, "%8s  %-8s  | (%d, %d) \"%.*s\"\n", "", "", call.x, call.y,
                       static_cast<int>(call.Text().size()), call.Text().data());
        }
      }
      break;
    }
  }
}

void Flight::DrawHud(int width, int height, int mode, RecordingSketchpad& sketchpad) const {
  for (const VesselObject* vessel : simulation_.ModuleVessels()) {
    DrawFrame(*vessel, width, height, mode, sketchpad);
  }
}

// Each step, every vessel's step-begin callback runs, then every vessel's
// step-end callback. Steps neither create nor remove vessels, so the list is
// made once and the steps themselves allocate nothing.
void Flight::Step(int count, double length) {
  const std::vector<VesselObject*> vessels = simulation_.ModuleVessels();
  for (int step = 0; step < count; ++step) {
    time_ += length;
    const double mjd = kStartMjd + time_ / kSecondsPerDay;
    for (const VesselObject* vessel : vessels) Callbacks(*vessel).clbkStepBegin(time_, length, mjd);
    for (const VesselObject* vessel : vessels) Callbacks(*vessel).clbkStepEnd(time_, length, mjd);
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
  Row(*vessels.front(), event.text + " (press)", std::to_string(pressed));
  keyboard[event.key_code] = 0;
  const int released = focus.clbkKeyEvent(event.key_code, false, keyboard.data());
  Row(*vessels.front(), event.text + " (release)", std::to_string(released));
}

void Flight::Row(const VesselObject& vessel, const std::string& event,
                 const std::string& answer) const {
  const std::string port = SelectedPort(vessel);
  std::fprintf(table_, "%8.2f  %-8s  %-22s  %-6s  %-4s  %-10s  %10.2f  %s\n", time_,
               vessel.name.c_str(), event.c_str(), answer.c_str(), port.c_str(),
               PayloadOn(vessel, port).c_str(), vessel.empty_mass,
               AttachedPayloads(vessel).c_str());
}

}  // namespace sim
