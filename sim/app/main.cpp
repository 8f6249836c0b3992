// vantrel-sim: flies a scenario with the real vessel module in the stand-in
// simulator, headless, and prints what happens.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/flight.h"
#include "app/hud_svg.h"
#include "app/input_error.h"
#include "app/mass_plot.h"
#include "app/output_file.h"
#include "app/polar.h"
#include "app/ring_svg.h"
#include "app/run_table.h"
#include "app/run_trace.h"
#include "app/simulation.h"
#include "app/timeline.h"
#include "core/world.h"

namespace {

struct Options {
  std::string scenario;
  std::string root = VANTREL_ADDON_ROOT;
  std::string timeline;
  std::vector<std::string> events;
  std::string save;
  std::string hud;
  std::string hud_size = "1280x720";
  std::string polar;
  double mach = 0.5;
  std::string table = "text";
  std::string trace;
  std::string ring;
  std::string mass_plot;
  std::string hud_dir;
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
  const auto table_format = sim::ParseTableFormat(options.table);
  if (!table_format) {
    throw sim::InputError("--table: unknown format \"" + options.table +
                          "\" (expected text, csv or json)");
  }
  if (!options.trace.empty() && !EndsWith(options.trace, ".csv")) {
    throw sim::InputError("--trace: " + options.trace + ": the trace must be a .csv file");
  }
  for (const auto& [option, path] :
       {std::pair{"--ring", options.ring}, {"--mass-plot", options.mass_plot}}) {
    if (!path.empty() && !EndsWith(path, ".svg")) {
      throw sim::InputError(std::string(option) + ": " + path +
                            ": the picture must be an .svg file");
    }
  }
  const std::vector<sim::TimelineEvent> events = Timeline(options);

  sim::Simulation simulation(options.root);
  if (options.scenario.empty()) {
    simulation.AddVessel("Ring", "vantrel");
  } else {
    simulation.LoadScenario(options.scenario);
  }
  const auto table = sim::MakeRunTable(*table_format, sim::MeasureRun(simulation, events));
  sim::Flight flight(simulation, stdout, *table);
  sim::TraceRecorder trace;
  if (!options.trace.empty() || !options.mass_plot.empty()) flight.RecordTrace(trace);
  std::vector<sim::HudFrame> hud_frames;
  if (!options.hud_dir.empty()) flight.KeepHudFrames(hud_frames);
  flight.Start();
  for (const sim::TimelineEvent& event : events) flight.Run(event);
  flight.Finish();

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
    sim::WriteFileWhole(options.polar, EndsWith(options.polar, ".csv") ? sim::PolarCsv(polars)
                                                                       : sim::PolarSvg(polars));
  }
  if (!options.trace.empty()) sim::WriteFileWhole(options.trace, sim::TraceCsv(trace.trace()));
  if (!options.ring.empty()) {
    sim::WriteFileWhole(options.ring, sim::RingSvg(sim::RecordRings(sim::world())));
  }
  if (!options.mass_plot.empty()) {
    sim::WriteFileWhole(options.mass_plot,
                        sim::MassPlotSvg(trace.trace(), sim::RecordRings(sim::world())));
  }
  if (!options.hud_dir.empty()) {
    std::error_code error;
    std::filesystem::create_directories(options.hud_dir, error);
    if (error) throw sim::InputError("--hud-dir: " + options.hud_dir + ": " + error.message());
  }
  for (size_t i = 0; i < hud_frames.size(); ++i) {
    sim::WriteFileWhole(options.hud_dir + "/hud-" + std::to_string(i + 1) + ".svg",
                        sim::HudFrameSvg(hud_frames[i]));
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
                 "Add-on root holding Modules/ and Config/Vessels/ (default: the build tree)")
      ->capture_default_str();
  app.add_option("-t,--timeline", options.timeline,
                 "Timeline file: one event a line, 'step COUNT LENGTH', 'key NAME [shift|rshift|"
                 "ctrl|rctrl|alt|ralt]...', 'hud WIDTHxHEIGHT [MODE]'");
  app.add_option("-e,--do", options.events,
                 "One more timeline event, after those of the timeline file (repeatable)");
  app.add_option("--save", options.save, "Write the scenario as it is after the run to FILE");
  app.add_option("--hud", options.hud, "Draw a HUD frame after the run as an SVG picture to FILE");
  app.add_option("--hud-size", options.hud_size, "Size WIDTHxHEIGHT of that HUD frame")
      ->capture_default_str();
  app.add_option(
      "--polar", options.polar,
      "Write the lift, moment and drag coefficients of the ring's airfoils over -180 to "
      "180 degrees, and their drag over Mach 0 to 3, to FILE (.svg chart or .csv table)");
  app.add_option("--mach", options.mach, "Mach number of the polar")->capture_default_str();
  app.add_option("--table", options.table, "Format of the run's table: text, csv or json")
      ->capture_default_str();
  app.add_option("--trace", options.trace,
                 "Write the ring's state after every time step to FILE.csv");
  app.add_option("--ring", options.ring,
                 "Draw the ring's ports, payloads and releases after the run to FILE.svg");
  app.add_option("--mass-plot", options.mass_plot,
                 "Plot the ring's empty mass against time to FILE.svg");
  app.add_option("--hud-dir", options.hud_dir,
                 "Write each hud event's frame to DIR/hud-<n>.svg, with a caption");
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
