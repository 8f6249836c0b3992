// vantrel-sim: flies a scenario with the real vessel module in the stand-in
// simulator, headless, and prints what happens.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/addon_layout.h"
#include "app/flight.h"
#include "app/hud_svg.h"
#include "app/input_error.h"
#include "app/output_file.h"
#include "app/polar.h"
#include "app/simulation.h"
#include "app/timeline.h"
#include "core/world.h"

namespace {

struct Options {
  std::string scenario;
  std::string root = sim::AddonRootOfProgram();
  std::string timeline;
  std::vector<std::string> events;
  std::string save;
  std::string hud;
  std::string hud_size = "1280x720";
  std::string polar;
  double mach = 0.5;
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::vector<sim::TimelineEvent> Timeline(const Options& options) {
  std::vector<sim::TimelineEvent> events;
  if (!options.timeline.empty()) events = sim::ReadTimelineFile(options.timeline);
  for (size_t i = 0; i < options.events.size(); ++i) {
    if (auto event = sim::ParseTimelineLine(options.events[i], "--do", static_cast<int>(i + 1))) {
      events.push_back(std::move(*event));
    }
  }
  return events;
}

void Fly(const Options& options) {
  // Check what can be checked before anything runs or is written.
  int hud_width = 0;
  int hud_height = 0;
  if (!sim::ParseHudSize(options.hud_size, hud_width, hud_height)) {
    throw sim::InputError("--hud-size: bad HUD size \"" + options.hud_size +
                          "\" (expected WIDTHxHEIGHT, both positive)");
  }
  if (!options.hud.empty() && !EndsWith(options.hud, ".svg")) {
    throw sim::InputError("--hud: " + options.hud + ": the picture must be an .svg file");
  }
  if (!options.polar.empty() && !EndsWith(options.polar, ".svg") &&
      !EndsWith(options.polar, ".csv")) {
    throw sim::InputError("--polar: " + options.polar + ": expected an .svg or .csv file");
  }
  const std::vector<sim::TimelineEvent> events = Timeline(options);

  sim::Simulation simulation(options.root);
  if (options.scenario.empty()) {
    simulation.AddVessel("Ring", "vantrel");
  } else {
    simulation.LoadScenario(options.scenario);
  }
  sim::Flight flight(simulation, stdout);
  flight.Start();
  for (const sim::TimelineEvent& event : events) flight.Run(event);

  if (!options.save.empty()) sim::WriteFileWhole(options.save, simulation.ScenarioText());
  if (!options.hud.empty()) {
    sim::RecordingSketchpad sketchpad;
    flight.DrawHud(hud_width, hud_height, 1, sketchpad);
    sim::WriteFileWhole(options.hud, sim::HudSvg(sketchpad.calls(), hud_width, hud_height));
  }
  if (!options.polar.empty()) {
    const std::vector<VesselObject*> vessels = simulation.ModuleVessels();
    if (vessels.empty()) throw sim::InputError("--polar: the scenario has no vessel with airfoils");
    const auto polars = sim::ComputePolars(*vessels.front(), options.mach);
    sim::WriteFileWhole(options.polar, EndsWith(options.polar, ".csv")
                                           ? sim::PolarCsv(polars)
                                           : sim::PolarSvg(polars, options.mach));
  }
}

int Run(int argc, char** argv) {
  CLI::App app(
      "Flies a scenario with the vantrel payload ring module in a stand-in simulator, headless.\n"
      "Prints a table of the run: time, event, what the ring answered, its selected port, the\n"
      "payload on it, its empty mass and the payloads still attached.",
      "vantrel-sim");
  Options options;
  app.add_option("scenario", options.scenario,
                 "Scenario file to fly (default: one ring named Ring, without payloads)");
  app.add_option("--root", options.root,
                 "Add-on root holding Modules/ and Config/Vessels/ (default: the program's "
                 "folder, or the one above it)");
  app.add_option("-t,--timeline", options.timeline,
                 "Timeline file: one event a line, 'step COUNT LENGTH', 'key NAME [shift|rshift|"
                 "ctrl|rctrl|alt|ralt]...', 'hud WIDTHxHEIGHT [MODE]'");
  app.add_option("-e,--do", options.events,
                 "One more timeline event, after those of the timeline file (repeatable)");
  app.add_option("--save", options.save, "Write the scenario as it is after the run to FILE");
  app.add_option("--hud", options.hud, "Draw a HUD frame after the run as an SVG picture to FILE");
  app.add_option("--hud-size", options.hud_size, "Size WIDTHxHEIGHT of that HUD frame")
      ->capture_default_str();
  app.add_option("--polar", options.polar,
                 "Write the lift, moment and drag coefficients of the ring's airfoils over -180 to "
                 "180 degrees to FILE (.svg chart or .csv table)");
  app.add_option("--mach", options.mach, "Mach number of the polar")->capture_default_str();
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }
  Fly(options);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::fflush(stdout);
    std::fprintf(stderr, "vantrel-sim: %s\n", error.what());
  } catch (...) {
    std::fprintf(stderr, "vantrel-sim: failed\n");
  }
  return 1;
}
