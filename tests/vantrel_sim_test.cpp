// vantrel-sim run for real: the demo against its reviewed output, scenarios
// that save and load back, the pictures, and every kind of bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>

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

  // Runs the program with the arguments, in the source tree.
  Result Run(const std::vector<std::string>& arguments) const {
    std::string command = "cd " + Quoted(VANTREL_SOURCE_DIR) + " && " + Quoted(VANTREL_SIM_PATH);
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

// Each bad input gives one message naming the file and line where there is
// one, exit status 1, and leaves no output file behind.
TEST_F(VantrelSim, BadInputIsNamedAndLeavesNothingBehind) {
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
  const struct {
    const char* name;
    std::string scenario;  // written to bad.scn when not empty
    std::string timeline;  // written to bad.timeline when not empty
    std::vector<std::string> arguments;
    std::string message;
  } cases[] = {
      {"missing file", "", "", {"missing.scn"}, "missing.scn: cannot read the scenario file"},
      {"unreadable file", "", "", {dir}, ": cannot read the scenario file"},
      {"missing timeline",
       "",
       "",
       {"--timeline", "missing.timeline"},
       "missing.timeline: cannot read the timeline file"},
      {"unknown class",
       "BEGIN_SHIPS\nRing:vantrell\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       "bad.scn:2: unknown vessel class \"vantrell\""},
      {"module cannot load",
       "BEGIN_SHIPS\nRing:broken\nEND\nEND_SHIPS\n",
       "",
       {scenario, "--root", root},
       "bad.scn:2: cannot load the module of class \"broken\""},
      {"module lacks entry point",
       "BEGIN_SHIPS\nRing:mathlib\nEND\nEND_SHIPS\n",
       "",
       {scenario, "--root", root},
       "mathlib.so: the module does not export ovcInit"},
      {"unknown port id",
       ring + "P:payload\n  MASS 5\n  ATTACHED Ring:PL13\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       "bad.scn:6: unknown port id \"PL13\" on Ring"},
      {"malformed mass",
       ring + "P:payload\n  MASS 5kg\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       "bad.scn:5: malformed number \"5kg\""},
      {"malformed step",
       "",
       "step 2 0.5\nstep two 0.5\n",
       {"--timeline", timeline},
       "bad.timeline:2: malformed number \"two\""},
      {"unknown key",
       "",
       "key J\nkey F13\n",
       {"--timeline", timeline},
       "bad.timeline:2: unknown key name \"F13\""},
      {"unknown held key", "", "", {"--do", "key J hyper"}, "--do:1: unknown key name \"hyper\""},
      {"bad HUD size in timeline",
       "",
       "hud 1280x0\n",
       {"--timeline", timeline},
       "bad.timeline:1: bad HUD size \"1280x0\""},
      {"bad HUD size option",
       "",
       "",
       {"--hud", dir / "hud.svg", "--hud-size", "wide"},
       "--hud-size: bad HUD size \"wide\""},
      {"unknown table format", "", "", {"--table", "xml"}, "--table: unknown format \"xml\""},
      {"trace not CSV", "", "", {"--trace", dir / "trace.txt"}, "--trace: "},
      {"ring picture not SVG", "", "", {"--ring", dir / "ring.png"}, "--ring: "},
      {"scenario without end",
       "BEGIN_SHIPS\nRing:vantrel\n",
       "",
       {scenario},
       "bad.scn:2: vessel \"Ring\" has no END"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    if (!example.scenario.empty()) WriteFile(scenario, example.scenario);
    if (!example.timeline.empty()) WriteFile(timeline, example.timeline);
    std::vector<std::string> arguments = example.arguments;
    arguments.insert(arguments.end(), {"--save", dir / "out.scn", "--polar", dir / "out.csv"});
    const Result result = Run(arguments);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(example.message), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(result.err.rfind("vantrel-sim: ", 0), 0U) << result.err;
    for (const std::string& name : Files()) {
      EXPECT_TRUE(name == "bad.scn" || name == "bad.timeline" || name == "root") << name;
    }
    fs::remove(scenario);
    fs::remove(timeline);
  }
}

TEST_F(VantrelSim, UnwritableOutputIsNamed) {
  const Result result = Run({"--save", (dir / "no/such/folder/out.scn").string()});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("cannot write " + (dir / "no/such/folder/out.scn").string()),
            std::string::npos)
      << result.err;
}

// Installed, the module and its class configuration form a simulator add-on,
// and the program finds the class's module there.
TEST_F(VantrelSim, InstallLaysTheModuleOutAsAnAddOn) {
  const fs::path root = dir / "addon";
  ASSERT_EQ(std::system((Quoted(CMAKE_COMMAND) + " --install " + Quoted(VANTREL_BUILD_DIR) +
                         " --prefix " + Quoted(root) + " >/dev/null")
                            .c_str()),
            0);
  EXPECT_TRUE(fs::is_regular_file(root / "Modules/vantrel.so"));
  EXPECT_NE(ReadFile(root / "Config/Vessels/vantrel.cfg").find("Module = vantrel\n"),
            std::string::npos);
  const Result result = Run({kDemoScenario, "--root", root});
  EXPECT_EQ(result.status, 0) << result.err;
  fs::remove(root / "Modules/vantrel.so");
  EXPECT_NE(Run({kDemoScenario, "--root", root}).err.find("cannot load the module"),
            std::string::npos);
}

TEST_F(VantrelSim, HelpExplainsTheOptions) {
  const Result result = Run({"--help"});
  EXPECT_EQ(result.status, 0);
  for (const char* option :
       {"--timeline", "--do", "--save", "--hud", "--hud-size", "--polar", "--mach", "--root",
        "--table", "--trace", "--ring", "--mass-plot", "--hud-dir"}) {
    EXPECT_NE(result.out.find(option), std::string::npos) << option;
  }
}
