// vantrel-sim: flies a scenario with the real vessel module in the stand-in
// simulator, headless, and prints what happens.
//
// The command-line contract: every error is one line "vantrel-sim: ..." on
// standard error; the exit status is 0 when the run and every output
// succeeded, 1 for bad input (a scenario, timeline, configuration or module)
// or an output that cannot be written, 2 for a usage error.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/addon_layout.h"
#include "app/flight.h"
#include "app/hud_svg.h"
#include "app/input_error.h"
#include "app/mass_plot.h"
#include "app/output_file.h"
#include "app/polar.h"
#include "app/progress.h"
#include "app/ring_svg.h"
#include "app/run_table.h"
#include "app/run_trace.h"
#include "app/simulation.h"
#include "app/text.h"
#include "app/timeline.h"
#include "core/module_loader.h"
#include "core/world.h"

namespace {

const int kExitBadInput = 1;
const int kExitUsage = 2;

// --help fits a terminal of 80 columns: the options' names in the first 30,
// their descriptions wrapped in the rest.
const size_t kHelpWidth = 80;
const size_t kOptionColumn = 30;

const char kDescription[] =
    "Flies a scenario with the vantrel payload ring module in a stand-in simulator,\n"
    "headless. Prints a table of the run: time, event, what the ring answered, its\n"
    "selected port, the payload on it, its empty mass and the payloads attached.";

const char kExitStatus[] =
    "Exit status: 0 when the run and every output succeeded, 1 for bad input or\n"
    "an output that cannot be written, 2 for a usage error. Every error is one\n"
    "line on standard error; no output file is left when one occurs.";

const char kExamples[] =
    "Examples:\n"
    "  vantrel-sim examples/demo.scn --timeline examples/demo.timeline\n"
    "  vantrel-sim examples/demo.scn --do 'key j' --do 'step 10 0.1' --save out.scn";

struct Options {
  std::string scenario;
  std::string root;  // empty: the program's own add-on root
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
  bool version = false;
};

// What the run makes of the options, checked before anything is loaded.
struct Plan {
  std::string root;
  int hud_width = 0;
  int hud_height = 0;
  sim::TableFormat table_format = sim::TableFormat::kText;
  std::vector<sim::TimelineEvent> events;
};

// What the run keeps for the outputs that need more than its end state.
struct RunRecords {
  sim::TraceRecorder trace;
  std::vector<sim::HudFrame> hud_frames;
};

// One output file the options ask for, with the way to make its text once
// the run is over.
struct Output {
  sim::OutputFile file;
  std::function<std::string()> text;
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Text broken into lines of at most width characters at blanks; existing line
// breaks stay.
std::string Wrapped(const std::string& text, size_t width) {
  std::string wrapped;
  size_t line_start = 0;
  size_t word_start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != ' ' && text[i] != '\n') continue;
    if (i - line_start > width && word_start > line_start) {
      wrapped[word_start - 1] = '\n';
      line_start = word_start;
    }
    if (i < text.size()) {
      wrapped.append(text, word_start, i + 1 - word_start);
      if (text[i] == '\n') line_start = i + 1;
    } else {
      wrapped += text.substr(word_start);
    }
    word_start = i + 1;
  }
  return wrapped;
}

// An option's description, wrapped to the help's second column.
std::string Help(const std::string& text) { return Wrapped(text, kHelpWidth - kOptionColumn); }

std::string Joined(const std::vector<std::string_view>& names) {
  std::string text;
  for (std::string_view name : names) text += (text.empty() ? "" : " ") + std::string(name);
  return text;
}

std::string Footer() {
  const std::string events =
      "Timeline events, one a line of FILE or one an --do EVENT:\n"
      "  step COUNT LENGTH           COUNT steps of LENGTH seconds (at most " +
      std::to_string(sim::kMaxStepsInRun) +
      "\n"
      "                              steps in a run, each LENGTH finite, above 0)\n"
      "  key NAME [MODIFIER]...      press and release key NAME, modifiers held\n"
      "  hud WxH [MODE]              one HUD frame of W x H pixels in HUD mode MODE\n\n";
  return events + Wrapped("Key names (any case): " + Joined(sim::KeyNames()), kHelpWidth) + "\n" +
         Wrapped("Modifiers (any case): " + Joined(sim::ModifierNames()), kHelpWidth) + "\n\n" +
         kExitStatus + "\n\n" + kExamples;
}

void DefineOptions(CLI::App& app, Options& options) {
  app.get_formatter()->column_width(kOptionColumn);
  app.footer(Footer());
  app.set_help_flag("-h,--help", Help("Print this help and exit"));
  app.add_flag("--version", options.version,
               Help("Print the program's version and each module's date and version "
                    "under the add-on root, and exit"));
  app.add_option("SCENARIO", options.scenario,
                 Help("Scenario file to fly (default: one ring named Ring, without payloads)"))
      ->type_name("");
  app.add_option("--root", options.root,
                 Help("Add-on root holding Modules/ and Config/Vessels/ (default: the "
                      "program's folder when it holds Modules/, else the one above)"))
      ->type_name("DIR");
  app.add_option("-t,--timeline", options.timeline, Help("Timeline: one event a line"))
      ->type_name("FILE");
  app.add_option("-e,--do", options.events,
                 Help("One more event, after the timeline's (repeatable)"))
      ->type_name("EVENT");
  app.add_option("--save", options.save, Help("Write the scenario as it is after the run"))
      ->type_name("FILE");
  app.add_option("--hud", options.hud, Help("Draw a HUD frame after the run as an SVG picture"))
      ->type_name("FILE.svg");
  app.add_option("--hud-size", options.hud_size,
                 Help("Size of that HUD frame in pixels (default: 1280x720)"))
      ->type_name("WxH");
  app.add_option("--polar", options.polar,
                 Help("Write the lift, moment and drag coefficients of the ring's airfoils "
                      "from -180 to 180 degrees, and their drag over Mach 0 to 3, as a chart "
                      "or a table"))
      ->type_name("FILE.svg|.csv");
  app.add_option("--mach", options.mach, Help("Mach number of the polar (default: 0.5)"))
      ->type_name("M");
  app.add_option("--table", options.table,
                 Help("Format of the run's table on standard output: text, csv or json "
                      "(default: text)"))
      ->type_name("FORMAT");
  app.add_option("--trace", options.trace, Help("Write the ring's state after every time step"))
      ->type_name("FILE.csv");
  app.add_option("--ring", options.ring,
                 Help("Draw the ring's ports, payloads and releases after the run"))
      ->type_name("FILE.svg");
  app.add_option("--mass-plot", options.mass_plot, Help("Plot the ring's empty mass against time"))
      ->type_name("FILE.svg");
  app.add_option("--hud-dir", options.hud_dir,
                 Help("Write each hud event's frame to DIR/hud-N.svg, with a caption"))
      ->type_name("DIR");
}

std::vector<sim::TimelineEvent> Timeline(const Options& options) {
  std::vector<sim::TimelineEvent> events;
  if (!options.timeline.empty()) events = sim::ReadTimelineFile(options.timeline);
  for (size_t i = 0; i < options.events.size(); ++i) {
    try {
      if (auto event = sim::ParseTimelineLine(options.events[i], "--do", static_cast<int>(i + 1))) {
        events.push_back(std::move(*event));
      }
    } catch (const sim::InputError& error) {
      throw sim::UsageError(error.what());
    }
  }
  sim::CheckRunLength(events);
  return events;
}

// Checks the options' values that the parser cannot, before anything loads.
Plan PlanRun(const Options& options) {
  Plan plan;
  plan.root = options.root.empty() ? sim::AddonRootOfProgram() : options.root;
  if (plan.root.empty()) throw sim::UsageError("cannot tell where the program is: give --root");
  std::error_code error;
  if (!std::filesystem::is_directory(plan.root, error)) {
    throw sim::UsageError("add-on root " + plan.root + ": " +
                          (error ? error.message() : "no such folder"));
  }
  if (!sim::ParseHudSize(options.hud_size, plan.hud_width, plan.hud_height)) {
    throw sim::UsageError("--hud-size: bad HUD size \"" + sim::Echoed(options.hud_size) +
                          "\" (expected WxH, both positive)");
  }
  if (!options.hud.empty() && !EndsWith(options.hud, ".svg")) {
    throw sim::UsageError("--hud: " + options.hud + ": the picture must be .svg");
  }
  if (!options.polar.empty() && !EndsWith(options.polar, ".svg") &&
      !EndsWith(options.polar, ".csv")) {
    throw sim::UsageError("--polar: " + options.polar + ": expected an .svg or .csv file");
  }
  if (!std::isfinite(options.mach) || options.mach < 0.0) {
    throw sim::UsageError("--mach: the Mach number must be finite and not negative");
  }
  const auto table_format = sim::ParseTableFormat(options.table);
  if (!table_format) {
    throw sim::UsageError("--table: unknown format \"" + sim::Echoed(options.table) +
                          "\" (expected text, csv or json)");
  }
  plan.table_format = *table_format;
  if (!options.trace.empty() && !EndsWith(options.trace, ".csv")) {
    throw sim::UsageError("--trace: " + options.trace + ": the trace must be .csv");
  }
  for (const auto& [option, path] :
       {std::pair{"--ring", options.ring}, {"--mass-plot", options.mass_plot}}) {
    if (!path.empty() && !EndsWith(path, ".svg")) {
      throw sim::UsageError(std::string(option) + ": " + path + ": the picture must be .svg");
    }
  }
  plan.events = Timeline(options);
  return plan;
}

// The one place that says which files a run writes: each output the options
// ask for, checked before the run, made once it is over.
std::vector<Output> PlanOutputs(const Options& options, const Plan& plan,
                                const sim::Simulation& simulation, const sim::Flight& flight,
                                const RunRecords& records) {
  std::vector<Output> outputs;
  if (!options.save.empty()) {
    outputs.push_back({{"--save", options.save, {}}, [&] { return simulation.ScenarioText(); }});
  }
  if (!options.hud.empty()) {
    outputs.push_back({{"--hud", options.hud, {}}, [&] {
                         sim::RecordingSketchpad sketchpad;
                         flight.DrawHud(plan.hud_width, plan.hud_height, 1, sketchpad);
                         return sim::HudSvg(sketchpad.calls(), plan.hud_width, plan.hud_height);
                       }});
  }
  if (!options.polar.empty()) {
    const std::vector<VesselObject*> vessels = simulation.ModuleVessels();
    if (vessels.empty()) throw sim::InputError("--polar: the scenario has no vessel with airfoils");
    const VesselObject* vessel = vessels.front();
    outputs.push_back({{"--polar", options.polar, {}}, [&options, vessel] {
                         const auto polars = sim::ComputePolars(*vessel, options.mach);
                         return EndsWith(options.polar, ".csv") ? sim::PolarCsv(polars)
                                                                : sim::PolarSvg(polars);
                       }});
  }
  if (!options.trace.empty()) {
    outputs.push_back(
        {{"--trace", options.trace, {}}, [&] { return sim::TraceCsv(records.trace.trace()); }});
  }
  if (!options.ring.empty()) {
    outputs.push_back({{"--ring", options.ring, {}},
                       [] { return sim::RingSvg(sim::RecordRings(sim::world())); }});
  }
  if (!options.mass_plot.empty()) {
    outputs.push_back(
        {{"--mass-plot", options.mass_plot, {}},
         [&] { return sim::MassPlotSvg(records.trace.trace(), sim::RecordRings(sim::world())); }});
  }
  if (!options.hud_dir.empty()) {
    // Each hud event draws a frame of every module vessel.
    size_t frames = 0;
    for (const sim::TimelineEvent& event : plan.events) {
      if (event.kind == sim::TimelineEvent::Kind::kHud) frames += simulation.ModuleVessels().size();
    }
    for (size_t frame = 0; frame < frames; ++frame) {
      outputs.push_back(
          {{"--hud-dir", options.hud_dir + "/hud-" + std::to_string(frame + 1) + ".svg", {}},
           [&records, frame] { return sim::HudFrameSvg(records.hud_frames.at(frame)); }});
    }
  }
  std::vector<sim::OutputFile> files;
  files.reserve(outputs.size());
  // A folder that is not there yet is made when the outputs are written:
  // until then, check that it can be made, in place of the files it will hold.
  const bool folder_to_make = !options.hud_dir.empty() && !std::filesystem::exists(options.hud_dir);
  for (const Output& output : outputs) {
    if (!folder_to_make || output.file.option != "--hud-dir") files.push_back(output.file);
  }
  if (folder_to_make) files.push_back({"--hud-dir", options.hud_dir, {}});
  sim::CheckOutputFiles(files);
  return outputs;
}

// The one place that writes them: every text made first, then all files,
// into a folder made for them if it was missing and removed again on failure.
void WriteOutputs(std::vector<Output>& outputs, const std::string& folder) {
  std::vector<sim::OutputFile> files;
  files.reserve(outputs.size());
  for (Output& output : outputs) {
    output.file.text = output.text();
    files.push_back(std::move(output.file));
  }
  // The table first, for an output that goes to standard output too.
  std::fflush(stdout);
  std::error_code error;
  const bool made_folder = !folder.empty() && std::filesystem::create_directory(folder, error);
  if (error) throw sim::InputError("--hud-dir: cannot make " + folder + ": " + error.message());
  try {
    sim::WriteOutputFiles(files);
  } catch (const sim::InputError&) {
    if (made_folder) std::filesystem::remove(folder, error);
    throw;
  }
}

std::int64_t StepsOf(const std::vector<sim::TimelineEvent>& events) {
  std::int64_t steps = 0;
  for (const sim::TimelineEvent& event : events) {
    if (event.kind == sim::TimelineEvent::Kind::kStep) steps += event.step_count;
  }
  return steps;
}

void Fly(const Options& options) {
  const Plan plan = PlanRun(options);
  sim::Simulation simulation(plan.root);
  if (options.scenario.empty()) {
    simulation.AddVessel("Ring", "vantrel");
  } else {
    simulation.LoadScenario(options.scenario);
  }
  const auto table = sim::MakeRunTable(plan.table_format, sim::MeasureRun(simulation, plan.events));
  sim::Flight flight(simulation, stdout, *table);
  RunRecords records;
  if (!options.trace.empty() || !options.mass_plot.empty()) flight.RecordTrace(records.trace);
  if (!options.hud_dir.empty()) flight.KeepHudFrames(records.hud_frames);
  std::vector<Output> outputs = PlanOutputs(options, plan, simulation, flight, records);

  std::optional<sim::Progress> progress;
  if (isatty(STDERR_FILENO) != 0) {
    progress.emplace(stderr, StepsOf(plan.events));
    flight.ReportTo(&*progress);
  }
  flight.Start();
  for (const sim::TimelineEvent& event : plan.events) flight.Run(event);
  flight.Finish();
  progress.reset();
  WriteOutputs(outputs, options.hud_dir);
}

// The program's version, then each module under the add-on root with the
// date and version it reports.
void PrintVersion(const Options& options) {
  std::printf("vantrel-sim %s\n", VANTREL_VERSION);
  const std::string root = options.root.empty() ? sim::AddonRootOfProgram() : options.root;
  std::vector<std::filesystem::path> modules;
  std::error_code error;
  for (std::filesystem::recursive_directory_iterator it(root + "/Modules", error), end;
       !error && it != end; it.increment(error)) {
    if (it->path().extension() == ".so") modules.push_back(it->path());
  }
  std::sort(modules.begin(), modules.end());
  if (modules.empty()) std::printf("no modules in %s/Modules\n", root.c_str());
  for (const std::filesystem::path& path : modules) {
    std::string reason;
    const std::unique_ptr<sim::VesselModule> module = sim::VesselModule::Open(path, reason);
    if (module == nullptr) {
      std::printf("%s (not a vessel module)\n", reason.c_str());
    } else {
      std::printf("%s: ModuleDate \"%s\", GetModuleVersion %d\n", path.c_str(),
                  sim::Echoed(module->ModuleDate()).c_str(), module->GetModuleVersion());
    }
  }
}

// The parser's message on one line.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

int Run(int argc, char** argv) {
  CLI::App app(kDescription, "vantrel-sim");
  Options options;
  DefineOptions(app, options);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::ParseError& error) {
    throw sim::UsageError(OneLine(error.what()) + " (see --help)");
  }
  if (options.version) {
    PrintVersion(options);
  } else {
    Fly(options);
  }
  return 0;
}

int Fail(const char* message, int status) {
  std::fflush(stdout);
  std::fprintf(stderr, "vantrel-sim: %s\n", message);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const sim::UsageError& error) {
    return Fail(error.what(), kExitUsage);
  } catch (const std::exception& error) {
    return Fail(error.what(), kExitBadInput);
  } catch (...) {
    return Fail("failed", kExitBadInput);
  }
}
