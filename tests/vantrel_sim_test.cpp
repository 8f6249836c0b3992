// vantrel-sim run for real: the demo against its reviewed output, scenarios
// that save and load back, the pictures, and every kind of bad input.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class VantrelSim : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::temp_directory_path() / ("vantrel-sim-test-" + std::string(test->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the program with the arguments, in the source tree; launcher, when
  // given, is a command that runs the program with its arguments.
  Result Run(const std::vector<std::string>& arguments,
             const std::string& program = VANTREL_SIM_PATH,
             const std::string& launcher = "") const {
    std::string command = "cd " + Quoted(VANTREL_SOURCE_DIR) + " && " + launcher + Quoted(program);
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    const fs::path err = dir / "stderr.txt";
    command += " 2>" + Quoted(err.string());
    Result result;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t n = 0; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      result.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFile(err);
    fs::remove(err);
    return result;
  }

  // Whether rsvg-convert draws the picture.
  bool Renders(const fs::path& svg) const {
    const fs::path png = dir / (svg.stem().string() + ".png");
    return std::system(("rsvg-convert -o " + Quoted(png) + " " + Quoted(svg)).c_str()) == 0 &&
           fs::file_size(png) > 0;
  }

  // The files the run left in the test's folder.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir;
};

const char kDemoScenario[] = "examples/demo.scn";
const char kDemoTimeline[] = "examples/demo.timeline";

}  // namespace

TEST_F(VantrelSim, DemoPrintsTheReviewedTable) {
  const Result result = Run({kDemoScenario, "--timeline", kDemoTimeline});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, ReadFile(fs::path(VANTREL_SOURCE_DIR) / "tests/expected/demo.txt"));
}

TEST_F(VantrelSim, SavedScenarioLoadsBackAndSavesTheSame) {
  const fs::path first = dir / "first.scn";
  const fs::path second = dir / "second.scn";
  ASSERT_EQ(Run({kDemoScenario, "--timeline", kDemoTimeline, "--save", first}).status, 0);
  const Result reloaded = Run({first, "--save", second});
  ASSERT_EQ(reloaded.status, 0) << reloaded.err;
  EXPECT_EQ(ReadFile(first), ReadFile(second));
  // The run continues where the first stopped: PL8 selected, three payloads on.
  EXPECT_NE(reloaded.out.find("PL8   none"), std::string::npos) << reloaded.out;
  EXPECT_NE(ReadFile(first).find("  NPLS 7\n"), std::string::npos) << ReadFile(first);
  EXPECT_NE(reloaded.out.find("PL1 Aurora, PL5 Draco, PL12 Eridanus"), std::string::npos);
}

TEST_F(VantrelSim, HudPictureRendersAtTheHudsSize) {
  const fs::path svg = dir / "hud.svg";
  const fs::path png = dir / "hud.png";
  ASSERT_EQ(Run({kDemoScenario, "--hud", svg, "--hud-size", "1280x720"}).status, 0);
  const std::string text = ReadFile(svg);
  EXPECT_NE(text.find(">Next Payload = Borealis</text>"), std::string::npos) << text;
  EXPECT_NE(text.find("x=\"210\""), std::string::npos) << text;
  EXPECT_NE(text.find("fill=\"#66ff66\""), std::string::npos) << text;
  ASSERT_EQ(std::system(("rsvg-convert -o " + Quoted(png) + " " + Quoted(svg)).c_str()), 0);
  // A PNG's header chunk holds its width and height, big-endian, at 16 and 20.
  const std::string image = ReadFile(png);
  ASSERT_GT(image.size(), 24U);
  const auto big_endian = [&](size_t at) {
    return (static_cast<unsigned char>(image[at]) << 24) |
           (static_cast<unsigned char>(image[at + 1]) << 16) |
           (static_cast<unsigned char>(image[at + 2]) << 8) |
           static_cast<unsigned char>(image[at + 3]);
  };
  EXPECT_EQ(big_endian(16), 1280);
  EXPECT_EQ(big_endian(20), 720);
}

TEST_F(VantrelSim, PolarComesFromTheModulesCoefficientFunctions) {
  const fs::path csv = dir / "polar.csv";
  const fs::path svg = dir / "polar.svg";
  ASSERT_EQ(Run({"--polar", csv, "--mach", "0.9"}).status, 0);
  ASSERT_EQ(Run({"--polar", svg, "--mach", "0.9"}).status, 0);
  std::istringstream rows(ReadFile(csv));
  std::string header;
  std::getline(rows, header);
  EXPECT_EQ(header,
            "sweep,angle_deg,mach,vertical cl,vertical cm,vertical cd,horizontal cl,horizontal cm,"
            "horizontal cd");
  std::vector<std::string> angle_rows;
  std::map<std::string, double> vertical_drag_at_zero;  // by Mach number, as written
  for (std::string line; std::getline(rows, line);) {
    if (line.rfind("angle,", 0) == 0) angle_rows.push_back(line.substr(6));
    if (line.rfind("mach,0,", 0) == 0) {
      std::vector<std::string> fields;
      std::istringstream split(line);
      for (std::string field; std::getline(split, field, ',');) fields.push_back(field);
      ASSERT_EQ(fields.size(), 9U) << line;
      vertical_drag_at_zero[fields[2]] = std::stod(fields[5]);
    }
  }
  ASSERT_EQ(angle_rows.size(), 361U);
  // At 0 and 90 degrees: no lift, no moment, and the vertical airfoil's drag
  // 0.4 higher broadside on, at Mach 0.9 on the wave-drag rise.
  EXPECT_EQ(angle_rows[180].substr(0, 16), "0,0.9,0,0,0.0559") << angle_rows[180];
  EXPECT_EQ(angle_rows[270].substr(0, 17), "90,0.9,0,0,0.4559") << angle_rows[270];
  // The Mach sweep, 0 to 3: the wave drag rises from Mach 0.75 to 1.1.
  ASSERT_EQ(vertical_drag_at_zero.size(), 301U);
  EXPECT_EQ(vertical_drag_at_zero.at("0"), vertical_drag_at_zero.at("0.75"));
  EXPECT_GT(vertical_drag_at_zero.at("0.9"), vertical_drag_at_zero.at("0.75"));
  EXPECT_GT(vertical_drag_at_zero.at("1.1"), vertical_drag_at_zero.at("0.75") + 0.03);
  EXPECT_LT(vertical_drag_at_zero.at("3"), vertical_drag_at_zero.at("1.1"));

  const std::string picture = ReadFile(svg);
  for (const char* panel : {">lift coefficient cl<", ">moment coefficient cm<",
                            ">drag coefficient cd<", ">Mach number<"}) {
    EXPECT_NE(picture.find(panel), std::string::npos) << panel;
  }
  // Both airfoils' lift is zero at every angle: drawn, and said so.
  EXPECT_NE(picture.find(">vertical: 0 at every angle<"), std::string::npos);
  EXPECT_NE(picture.find(">horizontal: 0 at every angle<"), std::string::npos);
  EXPECT_TRUE(Renders(svg));
}

// The empty mass of the table's last row, as the table shows it.
std::string LastTableMass(const std::string& table) {
  std::istringstream lines(table);
  std::string heading;
  std::getline(lines, heading);
  const size_t mass_end = heading.find("empty mass") + 10;
  std::string last;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(" | ") == std::string::npos) last = line;
  }
  const std::string head = last.substr(0, mass_end);
  return head.substr(head.rfind(' ') + 1);
}

TEST_F(VantrelSim, RingPictureShowsEveryPortAndWhatIsStillAttached) {
  const fs::path svg = dir / "ring.svg";
  const Result result = Run({kDemoScenario, "--timeline", kDemoTimeline, "--ring", svg});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(Renders(svg));
  const std::string picture = ReadFile(svg);
  for (int port = 1; port <= 12; ++port) {
    const std::string id = ">PL" + std::to_string(port) + "</text>";
    EXPECT_EQ(picture.find(id), picture.rfind(id)) << id;  // once
    EXPECT_NE(picture.find(id), std::string::npos) << id;
  }
  // Attached: a payload's box names it, then its mass.
  for (const char* attached : {">Aurora</text>", ">Draco</text>", ">Eridanus</text>"}) {
    EXPECT_NE(picture.find(attached), std::string::npos) << attached;
  }
  for (const char* released : {">Borealis</text>", ">Cygnus</text>"}) {
    EXPECT_EQ(picture.find(released), std::string::npos) << released;
  }
  EXPECT_NE(picture.find(">Borealis (320.5 kg)</text>"), std::string::npos);
  EXPECT_NE(picture.find(">released 1.00 s, 0.3 m/s</text>"), std::string::npos);
  EXPECT_NE(picture.find(">Cygnus (85 kg)</text>"), std::string::npos);
  EXPECT_NE(picture.find(">released 1.50 s, 0.3 m/s</text>"), std::string::npos);
  EXPECT_NE(picture.find("empty mass " + LastTableMass(result.out).substr(0, 6)),
            std::string::npos);
}

TEST_F(VantrelSim, MassPlotEndsAtTheTablesLastMass) {
  const fs::path svg = dir / "mass.svg";
  const Result result = Run({kDemoScenario, "--timeline", kDemoTimeline, "--mass-plot", svg});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(Renders(svg));
  const std::string picture = ReadFile(svg);
  const std::string last_mass = LastTableMass(result.out);
  ASSERT_EQ(last_mass, "642.25") << result.out;
  // The curve's end is labelled with the mass it ends at.
  const size_t end_label = picture.find(">" + last_mass + " kg</text>");
  EXPECT_NE(end_label, std::string::npos) << picture;
  EXPECT_NE(picture.find(">Borealis 320.5 kg off PL3 at 1.00 s</text>"), std::string::npos);
  EXPECT_NE(picture.find(">Cygnus 85 kg off PL4 at 1.50 s</text>"), std::string::npos);
}

TEST_F(VantrelSim, HudDirHoldsACaptionedFrameForEachHudEvent) {
  const fs::path frames = dir / "frames";
  const Result result = Run({kDemoScenario, "--timeline", kDemoTimeline, "--hud-dir", frames});
  ASSERT_EQ(result.status, 0) << result.err;
  const struct {
    const char* file;
    const char* caption;
    const char* next;
  } expected[] = {
      {"hud-1.svg", ">Ring \u00b7 t = 1.00 s \u00b7 HUD 1280 \u00d7 720 \u00b7 mode 1<",
       ">Next Payload = Borealis<"},
      {"hud-2.svg", ">Ring \u00b7 t = 1.50 s \u00b7 HUD 1280 \u00d7 720 \u00b7 mode 1<",
       ">Next Payload = Cygnus<"},
      {"hud-3.svg", ">Ring \u00b7 t = 2.00 s \u00b7 HUD 1024 \u00d7 768 \u00b7 mode 1<",
       ">Next Payload = none<"},
  };
  for (const auto& frame : expected) {
    SCOPED_TRACE(frame.file);
    const std::string picture = ReadFile(frames / frame.file);
    EXPECT_NE(picture.find(frame.caption), std::string::npos) << picture;
    EXPECT_NE(picture.find(frame.next), std::string::npos);
    EXPECT_TRUE(Renders(frames / frame.file));
  }
  EXPECT_FALSE(fs::exists(frames / "hud-4.svg"));
}

TEST_F(VantrelSim, TableStaysAlignedWithLongNamesAndTwelvePayloads) {
  const fs::path scenario = dir / "full.scn";
  std::string text = "BEGIN_SHIPS\nHeavy-Lift-Adapter-Ring:vantrel\nEND\n";
  for (int port = 1; port <= 12; ++port) {
    text += "Payload-Number-" + std::to_string(port) + ":payload\n  MASS 10\n  ATTACHED " +
            "Heavy-Lift-Adapter-Ring:PL" + std::to_string(port) + "\nEND\n";
  }
  WriteFile(scenario, text + "END_SHIPS\n");
  const Result result = Run({scenario, "--do", "step 1 1", "--do", "key J"});
  ASSERT_EQ(result.status, 0) << result.err;
  std::istringstream lines(result.out);
  std::string heading;
  std::getline(lines, heading);
  const size_t attached_column = heading.find("attached");
  int rows = 0;
  for (std::string line; std::getline(lines, line); ++rows) {
    EXPECT_EQ(line.find("Heavy-Lift-Adapter-Ring  "), heading.find("vessel")) << line;
    EXPECT_EQ(line.find(" payloads on "), attached_column + 2) << line;
    EXPECT_LT(line.size(), 160U) << line;
  }
  EXPECT_EQ(rows, 4);
  EXPECT_NE(result.out.find("  12 payloads on PL1-PL12\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("  11 payloads on PL2-PL12\n"), std::string::npos) << result.out;
}

// The README's pictures are what its command makes of the demo today.
TEST_F(VantrelSim, DocsPicturesAreTheDemosOwn) {
  const Result result =
      Run({kDemoScenario, "--timeline", kDemoTimeline, "--ring", dir / "ring.svg", "--mass-plot",
           dir / "mass-plot.svg", "--polar", dir / "polar.svg", "--hud-dir", dir});
  ASSERT_EQ(result.status, 0) << result.err;
  for (const char* name :
       {"ring.svg", "mass-plot.svg", "polar.svg", "hud-1.svg", "hud-2.svg", "hud-3.svg"}) {
    EXPECT_EQ(ReadFile(dir / name), ReadFile(fs::path(VANTREL_SOURCE_DIR) / "docs" / name))
        << "docs/" << name << " is out of date: make it again with the README's command";
  }
}

// Each error gives one line "vantrel-sim: ..." naming the file and line where
// there is one, exit status 1 for bad input and 2 for a usage error, and
// leaves no output file behind.
TEST_F(VantrelSim, ErrorsAreOneLineWithTheirExitStatusAndLeaveNothingBehind) {
  const fs::path scenario = dir / "bad.scn";
  const fs::path timeline = dir / "bad.timeline";
  const fs::path root = dir / "root";
  fs::create_directories(root / "Config/Vessels");
  fs::create_directories(root / "Modules");
  WriteFile(root / "Config/Vessels/broken.cfg", "Module = broken\n");
  WriteFile(root / "Modules/broken.so", "not a shared object\n");
  WriteFile(root / "Config/Vessels/mathlib.cfg", "Module = mathlib\n");
  fs::create_symlink("/lib/x86_64-linux-gnu/libm.so.6", root / "Modules/mathlib.so");
  const std::string ring = "BEGIN_SHIPS\nRing:vantrel\nEND\n";
  const std::string long_token = std::string(10000, 'x');
  const struct {
    const char* name;
    std::string scenario;  // written to bad.scn when not empty
    std::string timeline;  // written to bad.timeline when not empty
    std::vector<std::string> arguments;
    int status;
    std::string message;
  } cases[] = {
      {"unknown option", "", "", {"--bogus"}, 2, "not expected: --bogus"},
      {"malformed option value", "", "", {"--mach", "abc"}, 2, "--mach = abc"},
      {"option without value", "", "", {"--timeline"}, 2, "--timeline: 1 required FILE missing"},
      {"endless Mach number", "", "", {"--mach", "inf"}, 2, "--mach: the Mach number must be"},
      {"two scenarios", "", "", {kDemoScenario, kDemoScenario}, 2, "not expected"},
      {"missing root", "", "", {"--root", dir / "none"}, 2, "none: No such file or directory"},
      {"unknown held key",
       "",
       "",
       {"--do", "key J hyper"},
       2,
       "--do:1: unknown modifier \"hyper\""},
      {"too many steps in an event",
       "",
       "",
       {"--do", "step 1000000001 1"},
       2,
       "--do:1: the step count must be 1 to 1000000000"},
      {"bad HUD size option",
       "",
       "",
       {"--hud", dir / "hud.svg", "--hud-size", "wide"},
       2,
       "--hud-size: bad HUD size \"wide\""},
      {"HUD picture not SVG", "", "", {"--hud", dir / "hud.png"}, 2, "must be .svg"},
      {"missing file", "", "", {"missing.scn"}, 1, "missing.scn: cannot read the scenario file"},
      {"unreadable file", "", "", {dir}, 1, ": cannot read the scenario file"},
      {"missing timeline",
       "",
       "",
       {"--timeline", "missing.timeline"},
       1,
       "missing.timeline: cannot read the timeline file"},
      {"unknown class",
       "BEGIN_SHIPS\nRing:vantrell\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       1,
       "bad.scn:2: unknown vessel class \"vantrell\""},
      {"module cannot load",
       "BEGIN_SHIPS\nRing:broken\nEND\nEND_SHIPS\n",
       "",
       {scenario, "--root", root},
       1,
       "bad.scn:2: cannot load the module of class \"broken\""},
      {"module lacks entry point",
       "BEGIN_SHIPS\nRing:mathlib\nEND\nEND_SHIPS\n",
       "",
       {scenario, "--root", root},
       1,
       "mathlib.so: the module does not export ovcInit"},
      {"unknown port id",
       ring + "P:payload\n  MASS 5\n  ATTACHED Ring:PL13\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       1,
       "bad.scn:6: unknown port id \"PL13\" on Ring"},
      {"malformed mass",
       ring + "P:payload\n  MASS 5kg\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       1,
       "bad.scn:5: malformed number \"5kg\""},
      {"malformed step",
       "",
       "step 2 0.5\nstep two 0.5\n",
       {"--timeline", timeline},
       1,
       "bad.timeline:2: malformed number \"two\""},
      {"step length not finite",
       "",
       "step 1 inf\n",
       {"--timeline", timeline},
       1,
       "bad.timeline:1: the step length must be a finite number of seconds above 0"},
      {"step length zero",
       "",
       "step 1 0\n",
       {"--timeline", timeline},
       1,
       "bad.timeline:1: the step length must be"},
      {"steps of a run above the limit",
       "",
       "step 600000000 0.1\nstep 600000000 0.1\n",
       {"--timeline", timeline},
       1,
       "steps add up to more than 1000000000, the most in a run"},
      {"time of a run endless",
       "",
       "step 1 1e308\nstep 1 1e308\n",
       {"--timeline", timeline},
       1,
       "the timeline's steps add up to an endless time"},
      {"echoed token cut and escaped",
       "",
       "key \x01\xff" + long_token + "\n",
       {"--timeline", timeline},
       1,
       "bad.timeline:1: unknown key name \"\\x01\\xFF" + std::string(32, 'x') + "...\"\n"},
      {"unknown key",
       "",
       "key J\nkey F13\n",
       {"--timeline", timeline},
       1,
       "bad.timeline:2: unknown key name \"F13\""},
      {"bad HUD size in timeline",
       "",
       "hud 1280x0\n",
       {"--timeline", timeline},
       1,
       "bad.timeline:1: bad HUD size \"1280x0\""},
      {"unknown table format", "", "", {"--table", "xml"}, 2, "--table: unknown format \"xml\""},
      {"trace not CSV", "", "", {"--trace", dir / "trace.txt"}, 2, "--trace: "},
      {"ring picture not SVG", "", "", {"--ring", dir / "ring.png"}, 2, "--ring: "},
      {"scenario without end",
       "BEGIN_SHIPS\nRing:vantrel\n",
       "",
       {scenario},
       1,
       "bad.scn:2: vessel \"Ring\" has no END"},
      {"polar of a scenario without a ring",
       "BEGIN_SHIPS\nP:payload\n  MASS 5\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       1,
       "--polar: the scenario has no vessel with airfoils"},
      {"output into a missing folder",
       "",
       "",
       {"--hud", dir / "none/hud.svg"},
       1,
       "--hud: cannot write " + (dir / "none/hud.svg").string() + ": No such file or directory"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    if (!example.scenario.empty()) WriteFile(scenario, example.scenario);
    if (!example.timeline.empty()) WriteFile(timeline, example.timeline);
    std::vector<std::string> arguments = {"--save", dir / "out.scn", "--polar", dir / "out.csv"};
    arguments.insert(arguments.end(), example.arguments.begin(), example.arguments.end());
    const Result result = Run(arguments);
    EXPECT_EQ(result.status, example.status);
    EXPECT_NE(result.err.find(example.message), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(result.err.rfind("vantrel-sim: ", 0), 0U) << result.err;
    EXPECT_EQ(result.out, "");
    for (const std::string& name : Files()) {
      EXPECT_TRUE(name == "bad.scn" || name == "bad.timeline" || name == "root") << name;
    }
    fs::remove(scenario);
    fs::remove(timeline);
  }
}

// Outputs never destroy: a link is followed, a FIFO or device is written in
// place, a regular file is replaced whole keeping its permission bits, and a
// failure of any output leaves no file of the run, nor a changed one.
TEST_F(VantrelSim, OutputsNeverDestroyWhatTheyReplace) {
  const fs::path real = dir / "real";
  fs::create_directories(real);
  const std::string saved = Run({kDemoScenario, "--save", "/dev/stdout"}).out;
  const auto scenario_text = saved.substr(saved.find("BEGIN_SHIPS"));
  const auto mode = [](const fs::path& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
  };

  // A regular file keeps its permission bits; a link keeps pointing at it.
  WriteFile(real / "kept.scn", "old\n");
  fs::permissions(real / "kept.scn", static_cast<fs::perms>(0640));
  fs::create_symlink("real/kept.scn", dir / "link.scn");
  fs::create_symlink("real/new.scn", dir / "dangling.scn");
  ASSERT_EQ(Run({kDemoScenario, "--save", dir / "link.scn"}).status, 0);
  EXPECT_TRUE(fs::is_symlink(dir / "link.scn"));
  EXPECT_EQ(ReadFile(real / "kept.scn"), scenario_text);
  EXPECT_EQ(mode(real / "kept.scn"), 0640U);
  ASSERT_EQ(Run({kDemoScenario, "--save", dir / "dangling.scn"}).status, 0);
  EXPECT_TRUE(fs::is_symlink(dir / "dangling.scn"));
  EXPECT_EQ(ReadFile(real / "new.scn"), scenario_text);

  // A FIFO is written in place, with a reader on the other end.
  const fs::path fifo = dir / "fifo.scn";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  FILE* reader = popen(("timeout 10 cat " + Quoted(fifo)).c_str(), "r");
  ASSERT_NE(reader, nullptr);
  const Result to_fifo = Run({kDemoScenario, "--save", fifo});
  std::string from_fifo;
  char buffer[4096];
  for (size_t n = 0; (n = std::fread(buffer, 1, sizeof buffer, reader)) > 0;) {
    from_fifo.append(buffer, n);
  }
  pclose(reader);
  EXPECT_EQ(to_fifo.status, 0) << to_fifo.err;
  EXPECT_EQ(from_fifo, scenario_text);
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);

  // A device that fails (written in place through a link) after the other
  // outputs are ready: the file that was there stays as it was.
  WriteFile(real / "kept.scn", "old\n");
  fs::create_symlink("/dev/full", dir / "full.svg");
  const Result full = Run({kDemoScenario, "--save", dir / "link.scn", "--polar", dir / "new.csv",
                           "--hud", dir / "full.svg"});
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "vantrel-sim: --hud: cannot write " + (dir / "full.svg").string() +
                          ": No space left on device\n");
  EXPECT_EQ(ReadFile(real / "kept.scn"), "old\n");
  EXPECT_FALSE(fs::exists(dir / "new.csv"));
  EXPECT_EQ(fs::status(fs::path("/dev/full")).type(), fs::file_type::character);

  // Outputs that cannot be written are refused before the run.
  const fs::path read_only = dir / "read-only";
  fs::create_directories(read_only);
  fs::permissions(read_only, static_cast<fs::perms>(0555));
  // Root writes anywhere: for root the folder is made read-only by a
  // read-only mount over it, in a mount namespace of the run's own.
  const bool root = geteuid() == 0;
  const std::string mounted_read_only =
      root ? "unshare -m sh -c " +
                 Quoted("mount --bind " + Quoted(read_only) + " " + Quoted(read_only) +
                        " && mount -o remount,ro,bind " + Quoted(read_only) + " && exec \"$@\"") +
                 " sh "
           : "";
  const Result in_read_only =
      Run({kDemoScenario, "--save", read_only / "out.scn"}, VANTREL_SIM_PATH, mounted_read_only);
  EXPECT_EQ(in_read_only.status, 1);
  EXPECT_EQ(in_read_only.err, "vantrel-sim: --save: cannot write " +
                                  (read_only / "out.scn").string() + ": " +
                                  (root ? "Read-only file system" : "Permission denied") + "\n");
  EXPECT_EQ(in_read_only.out, "");
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    std::string message;
  } refused[] = {
      {"a folder", {"--save", real}, "--save: cannot write " + real.string() + ": Is a directory"},
      {"one file twice",
       {"--save", dir / "twice.csv", "--polar", dir / "real/../twice.csv"},
       "--polar: cannot write " + (dir / "real/../twice.csv").string() +
           ": another output of this run goes to the same file"},
      {"frames into a folder that cannot be made",
       {"--do", "hud 10x10", "--hud-dir", dir / "none/frames"},
       "--hud-dir: cannot write " + (dir / "none/frames").string()},
      {"one file through a link",
       {"--save", real / "kept.scn", "--polar", dir / "link.csv"},
       "another output of this run goes to the same file"},
  };
  fs::create_symlink("real/kept.scn", dir / "link.csv");
  for (const auto& example : refused) {
    SCOPED_TRACE(example.name);
    const Result result = Run(example.arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(example.message), std::string::npos) << result.err;
  }
  EXPECT_EQ(ReadFile(real / "kept.scn"), "old\n");
  EXPECT_FALSE(fs::exists(dir / "twice.csv"));
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    EXPECT_EQ(entry.path().string().find(".partial"), std::string::npos) << entry.path();
  }
}

// Scenarios reach only the modules under the add-on root: a class or module
// name that climbs out of it, or is absolute, is refused before any module
// is opened. A module that marks its loading shows that none was.
TEST_F(VantrelSim, ClassNamesReachOnlyModulesUnderTheRoot) {
  const fs::path root = dir / "root";
  const fs::path outside = dir / "outside";
  const fs::path marker = dir / "loaded.txt";
  fs::create_directories(root / "Config/Vessels");
  fs::create_directories(root / "Modules");
  fs::create_directories(outside);
  fs::copy_file(VANTREL_LOAD_MARKER_PATH, outside / "evil.so");
  fs::copy_file(VANTREL_LOAD_MARKER_PATH, root / "Modules/marked.so");
  WriteFile(outside / "evil.cfg", "Module = ../../outside/evil\n");
  WriteFile(root / "Config/Vessels/climbs.cfg", "; climbs out\nModule = ../../outside/evil\n");
  WriteFile(root / "Config/Vessels/absolute.cfg", "Module = " + (outside / "evil").string() + "\n");
  WriteFile(root / "Config/Vessels/marked.cfg", "Module = marked\n");
  const std::string marked = "VANTREL_LOAD_MARKER=" + Quoted(marker) + " ";
  const struct {
    const char* name;
    std::string class_name;
    std::string message;
  } refused[] = {
      {"class climbs out", "../../../outside/evil",
       "bad.scn:2: bad vessel class name \"../../../outside/evil\""},
      {"absolute class", (outside / "evil").string(), "bad.scn:2: bad vessel class name"},
      {"module climbs out", "climbs",
       "bad.scn:2: " + (root / "Config/Vessels/climbs.cfg").string() +
           ":2: bad module name \"../../outside/evil\""},
      {"absolute module", "absolute", "absolute.cfg:1: bad module name"},
      {"empty sub-folder", "Sub//marked", "bad vessel class name"},
      {"current folder", "./marked", "bad vessel class name"},
  };
  for (const auto& example : refused) {
    SCOPED_TRACE(example.name);
    WriteFile(dir / "bad.scn", "BEGIN_SHIPS\nRing:" + example.class_name + "\nEND\nEND_SHIPS\n");
    const Result result = Run({dir / "bad.scn", "--root", root}, VANTREL_SIM_PATH, marked);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(example.message), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(marker));
  }
  // The marker works: a module under the root is loaded, and found wanting.
  WriteFile(dir / "bad.scn", "BEGIN_SHIPS\nRing:marked\nEND\nEND_SHIPS\n");
  const Result loaded = Run({dir / "bad.scn", "--root", root}, VANTREL_SIM_PATH, marked);
  EXPECT_NE(loaded.err.find("marked.so: the module does not export ovcInit"), std::string::npos)
      << loaded.err;
  EXPECT_EQ(ReadFile(marker), "loaded\n");
}

// Installed, the tree is a simulator add-on that works wherever it is moved:
// its program finds the module beside itself, never in the build tree, which
// the run does not even see (empty folders mounted over the build's add-on
// folders, in a mount namespace of the run's own).
TEST_F(VantrelSim, InstalledAddOnFliesTheDemoWithTheBuildTreeHidden) {
  const fs::path installed = dir / "installed";
  ASSERT_EQ(std::system((Quoted(CMAKE_COMMAND) + " --install " + Quoted(VANTREL_BUILD_DIR) +
                         " --prefix " + Quoted(installed) + " >/dev/null")
                            .c_str()),
            0);
  for (const char* file : {"bin/vantrel-sim", "Modules/vantrel.so", "Config/Vessels/vantrel.cfg",
                           "examples/demo.scn", "examples/demo.timeline"}) {
    EXPECT_TRUE(fs::is_regular_file(installed / file)) << file;
  }
  EXPECT_NE(ReadFile(installed / "Config/Vessels/vantrel.cfg").find("Module = vantrel\n"),
            std::string::npos);
  const fs::path addon = dir / "moved";
  fs::rename(installed, addon);
  const std::string program = addon / "bin/vantrel-sim";
  const std::vector<std::string> demo = {addon / "examples/demo.scn", "--timeline",
                                         addon / "examples/demo.timeline"};
  const std::string build = VANTREL_BUILD_DIR;
  const std::string hide_build =
      "unshare -rm sh -c " +
      Quoted("mount -t tmpfs none " + Quoted(build + "/Modules") + " && mount -t tmpfs none " +
             Quoted(build + "/Config") + " && exec \"$@\"") +
      " sh ";
  if (std::system("unshare -rm true 2>/dev/null") == 0) {
    const Result hidden = Run(demo, program, hide_build);
    EXPECT_EQ(hidden.status, 0) << hidden.err;
    EXPECT_EQ(hidden.out, ReadFile(fs::path(VANTREL_SOURCE_DIR) / "tests/expected/demo.txt"));
    // The hiding works: the build's own program finds nothing then.
    EXPECT_NE(Run(demo, VANTREL_SIM_PATH, hide_build).err.find("unknown vessel class"),
              std::string::npos);
  } else {
    ADD_FAILURE() << "cannot hide the build tree here: unshare -rm fails";
  }
  // Without its module the installed program fails, naming its own tree.
  fs::remove(addon / "Modules/vantrel.so");
  EXPECT_NE(Run(demo, program).err.find("cannot load the module of class \"vantrel\""),
            std::string::npos);
  EXPECT_NE(Run(demo, program).err.find((addon / "Modules/vantrel.so").string()),
            std::string::npos);
}

// The test machinery stays in the tests: the program defines no replaced
// global operator new or delete (only the standard placement forms the
// headers inline), no heap probe and no counters. A test executable, which
// has them all, shows that the check sees them.
TEST_F(VantrelSim, ProgramCarriesNoTestMachinery) {
  const auto machinery = [this](const std::string& executable) {
    const fs::path symbols = dir / "symbols.txt";
    EXPECT_EQ(std::system(
                  ("nm -C --defined-only " + Quoted(executable) + " >" + Quoted(symbols)).c_str()),
              0);
    std::vector<std::string> found;
    std::istringstream lines(ReadFile(symbols));
    for (std::string line; std::getline(lines, line);) {
      const bool placement = line.find(", void*)") != std::string::npos;
      const bool allocation = line.find(" operator new") != std::string::npos ||
                              line.find(" operator delete") != std::string::npos;
      if ((allocation && !placement) || line.find("heap_probe") != std::string::npos ||
          line.find("HostCounters") != std::string::npos) {
        found.push_back(line.substr(line.find(' ', 17) + 1));
      }
    }
    return found;
  };
  EXPECT_EQ(machinery(VANTREL_SIM_PATH), std::vector<std::string>{});
  const std::vector<std::string> in_test = machinery(VANTREL_PAYLOAD_TEST_PATH);
  EXPECT_NE(std::find(in_test.begin(), in_test.end(), "operator new(unsigned long)"),
            in_test.end());
  EXPECT_NE(std::find(in_test.begin(), in_test.end(), "sim::heap_probe()"), in_test.end());
}

// --help fits 80 columns and says everything a user needs: each option with
// its placeholder, the events, key names and modifiers, the exit status and
// examples. --version names the program's version and each module's.
TEST_F(VantrelSim, HelpAndVersionSayWhatAUserNeeds) {
  const Result help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  std::istringstream lines(help.out);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80U) << line;
  for (const char* text : {"--timeline FILE",
                           "--do EVENT",
                           "--save FILE",
                           "--hud FILE.svg",
                           "--hud-size WxH",
                           "--polar FILE.svg|.csv",
                           "--mach M",
                           "--root DIR",
                           "--version",
                           "--table FORMAT",
                           "--trace FILE.csv",
                           "--ring FILE.svg",
                           "--mass-plot FILE.svg",
                           "--hud-dir DIR",
                           "step COUNT LENGTH",
                           "at most 1000000000",
                           " J ",
                           " N ",
                           "SPACE",
                           "RSHIFT",
                           "RALT",
                           "Exit status: 0",
                           "2 for a usage error",
                           "Examples:\n  vantrel-sim examples/demo.scn --timeline"}) {
    EXPECT_NE(help.out.find(text), std::string::npos) << text;
  }
  EXPECT_EQ(help.out.find("TEXT"), std::string::npos);
  EXPECT_EQ(help.out.find(VANTREL_BUILD_DIR), std::string::npos);

  const fs::path root = dir / "root";
  fs::create_directories(root / "Modules/Sub");
  fs::copy_file(fs::path(VANTREL_BUILD_DIR) / "Modules/vantrel.so", root / "Modules/Sub/ring.so");
  fs::copy_file(VANTREL_LOAD_MARKER_PATH, root / "Modules/marker.so");
  const Result version = Run({"--version", "--root", root});
  EXPECT_EQ(version.status, 0) << version.err;
  EXPECT_EQ(version.out, "vantrel-sim 1.0\n" + (root / "Modules/Sub/ring.so").string() +
                             ": ModuleDate \"Jul 11 2018\", GetModuleVersion 160828\n" +
                             (root / "Modules/marker.so").string() +
                             ": the module does not export ovcInit (not a vessel module)\n");
}
