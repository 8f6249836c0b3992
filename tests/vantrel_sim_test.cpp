// vantrel-sim run for real: the demo against its reviewed output, scenarios
// that save and load back, the pictures, and every kind of bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
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
            "angle_deg,vertical cl,vertical cm,vertical cd,horizontal cl,horizontal cm,"
            "horizontal cd");
  std::vector<std::string> lines;
  for (std::string line; std::getline(rows, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 361U);
  // At 0 and 90 degrees: no lift, no moment, and the vertical airfoil's drag
  // 0.4 higher broadside on, at Mach 0.9 on the wave-drag rise.
  EXPECT_EQ(lines[180].substr(0, 12), "0,0,0,0.0559") << lines[180];
  EXPECT_EQ(lines[270].substr(0, 13), "90,0,0,0.4559") << lines[270];
  const fs::path png = dir / "polar.png";
  EXPECT_EQ(std::system(("rsvg-convert -o " + Quoted(png) + " " + Quoted(svg)).c_str()), 0);
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
      {"NUL in a line",
       "BEGIN_SHIPS\nRing:vantrel\n  STATUS " + std::string(1, '\0') + "\nEND\nEND_SHIPS\n",
       "",
       {scenario},
       "bad.scn:3: a NUL character"},
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
       {"--timeline", "--do", "--save", "--hud", "--hud-size", "--polar", "--mach", "--root"}) {
    EXPECT_NE(result.out.find(option), std::string::npos) << option;
  }
}
