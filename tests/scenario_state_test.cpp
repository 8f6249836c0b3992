// The selected port in scenarios: the "NPLS" line the ring reads from its
// block, the lines it hands back to the simulator, and the block it saves.
#include <string>
#include <vector>

#include "core/scenario.h"
#include "support/module_fixture.h"

namespace {

const int kKeyN = 0x31;

class ScenarioState : public LoadedModule {
 protected:
  VesselObject* Load(const std::vector<std::string>& lines, const std::string& name = "Ring") {
    return sim::LoadModuleVessel(sim::world(), name, "vantrel", *module, lines);
  }
};

}  // namespace

TEST_F(ScenarioState, ReadsItsOwnLineAndHandsEveryOtherLineBackAsItCame) {
  const int kBefore = 5;
  const struct {
    const char* what;
    std::vector<std::string> lines;
    int selected;
    std::vector<std::string> passed_on;
  } cases[] = {
      {"no key",
       {"STATUS Orbiting Earth", "FUEL 0.5"},
       kBefore,
       {"STATUS Orbiting Earth", "FUEL 0.5"}},
      {"7", {"NPLS 7"}, 7, {}},
      {"lower case", {"npls 7"}, 7, {}},
      {"mixed case", {"nPlS 8"}, 8, {}},
      {"no blank", {"NPLS9"}, 9, {}},
      {"blanks", {"NPLS    9"}, 9, {}},
      {"tab", {"NPLS\t9"}, 9, {}},
      {"every kind of white space", {"NPLS \t\v\f\r\n10"}, 10, {}},
      {"no value", {"NPLS"}, kBefore, {}},
      {"blank, no value", {"NPLS "}, kBefore, {}},
      {"a letter first", {"NPLS x5"}, kBefore, {}},
      {"longer key", {"NPLSX 5"}, kBefore, {}},
      {"fraction", {"NPLS 3.9"}, 3, {}},
      {"plus sign", {"NPLS +3"}, 3, {}},
      {"blank after the sign", {"NPLS + 3"}, kBefore, {}},
      {"minus zero", {"NPLS -0"}, 0, {}},
      {"first port", {"NPLS 0"}, 0, {}},
      {"last port", {"NPLS 11"}, 11, {}},
      {"leading zeros", {"NPLS 0000000000000000000000011"}, 11, {}},
      {"two lines, the second counts", {"NPLS 2", "NPLS 9"}, 9, {}},
      {"two lines, the last readable counts", {"NPLS 2", "NPLS x"}, 2, {}},
      {"short lines", {"NPL", "N", ""}, kBefore, {"NPL", "N", ""}},
      {"leading blank", {" NPLS 7"}, kBefore, {" NPLS 7"}},
      {"leading tab", {"\tNPLS 7"}, kBefore, {"\tNPLS 7"}},
      {"order kept around the key",
       {"STATUS Landed Moon", "ALPHA 1", "NPLS 3", "BETA  2 ", "gamma"},
       3,
       {"STATUS Landed Moon", "ALPHA 1", "BETA  2 ", "gamma"}},
      // Values that name no port never reach the port table.
      {"minus one", {"NPLS -1"}, kBefore, {}},
      {"twelve", {"NPLS 12"}, kBefore, {}},
      {"ninety-nine", {"NPLS 99"}, kBefore, {}},
      {"largest int", {"NPLS 2147483647"}, kBefore, {}},
      {"just past the largest int", {"NPLS 2147483648"}, kBefore, {}},
      {"far past it", {"NPLS 99999999999999999999"}, kBefore, {}},
      {"just past the smallest int", {"NPLS -2147483649"}, kBefore, {}},
      {"out of range, then a port", {"NPLS 12", "NPLS 4"}, 4, {}},
      {"a port, then out of range", {"NPLS 4", "NPLS 12"}, 4, {}},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.what);
    VesselObject& ring = AddRing(example.what);
    Ring(ring).next_payload = kBefore;
    int status_marker = 0;
    void* const status = &status_marker;
    sim::ScenarioBlock block(example.lines);

    Callbacks(ring).clbkLoadState(&block, status);

    EXPECT_EQ(Ring(ring).next_payload, example.selected);
    std::vector<ParsedScenarioLine> expected;
    for (const std::string& line : example.passed_on) expected.push_back({line, status});
    EXPECT_EQ(ring.parsed_scenario_lines, expected);
  }
}

TEST_F(ScenarioState, ABlockWithoutTheKeyLeavesTheFirstPortSelected) {
  VesselObject* ring = Load({"STATUS Orbiting Earth"});
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(Ring(*ring).next_payload, 0);
  EXPECT_EQ(ring->parsed_scenario_lines,
            (std::vector<ParsedScenarioLine>{{"STATUS Orbiting Earth", ring}}));
}

TEST_F(ScenarioState, SavesTheSimulatorsLinesFirstThenTheSelectedPort) {
  const VesselObject* ring = Load({"STATUS Landed Moon", "FUEL 0.5", "NPLS 7", "TAIL x"});
  ASSERT_NE(ring, nullptr);
  EXPECT_EQ(sim::SaveVesselState(*ring),
            (std::vector<std::string>{"STATUS Landed Moon", "FUEL 0.5", "TAIL x", "NPLS 7"}));

  VesselObject& fresh = AddRing("Fresh");
  char keyboard[256] = {};
  Callbacks(fresh).clbkKeyEvent(kKeyN, true, keyboard);
  Callbacks(fresh).clbkKeyEvent(kKeyN, true, keyboard);
  EXPECT_EQ(sim::SaveVesselState(fresh),
            (std::vector<std::string>{"STATUS Orbiting Earth", "NPLS 2"}));
}

TEST_F(ScenarioState, ASavedBlockReadsBackIntoTheSameState) {
  for (const int selected : {0, 7, 11}) {
    SCOPED_TRACE(selected);
    VesselObject* ring = Load({"STATUS Landed Moon", "FUEL 0.5", "TAIL x"});
    ASSERT_NE(ring, nullptr);
    Ring(*ring).next_payload = selected;
    const std::vector<std::string> saved = sim::SaveVesselState(*ring);

    const VesselObject* reloaded = Load(saved, "Reloaded");
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(Ring(*reloaded).next_payload, selected);
    EXPECT_EQ(sim::BlockText(sim::SaveVesselState(*reloaded)), sim::BlockText(saved));
    sim::world().Clear();
  }
}
