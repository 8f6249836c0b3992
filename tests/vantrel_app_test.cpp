// vantrel-sim's readers and writers on text in memory: scenario files and
// payload blocks, timeline lines, the HUD picture, the polar table, the time
// column, the progress line and the names that may reach a module.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/addon_layout.h"
#include "app/flight.h"
#include "app/hud_svg.h"
#include "app/input_error.h"
#include "app/polar.h"
#include "app/progress.h"
#include "app/scenario_file.h"
#include "app/text.h"
#include "app/timeline.h"
#include "core/recording_sketchpad.h"

namespace {

// The message of the InputError that f throws, or "" when it throws none.
template <typename Function>
std::string ErrorOf(Function f) {
  try {
    f();
  } catch (const sim::InputError& error) {
    return error.what();
  }
  return "";
}

TEST(ScenarioFile, ReadsBlocksAndWritesThemBackTheSame) {
  const std::string text =
      "; a comment\n"
      "BEGIN_SHIPS\n"
      "Ring:vantrel   ; the ring\n"
      "  NPLS 2\n"
      "\n"
      "END\n"
      "P:payload\n"
      "\tMASS 5\r\n"
      "END\n"
      "END_SHIPS\n";
  const std::vector<sim::ScenarioEntry> entries = sim::ParseScenarioText(text, "s.scn");
  ASSERT_EQ(entries.size(), 2U);
  EXPECT_EQ(entries[0].name, "Ring");
  EXPECT_EQ(entries[0].class_name, "vantrel");
  EXPECT_EQ(entries[0].line, 3);
  EXPECT_EQ(entries[0].lines, std::vector<std::string>{"NPLS 2"});
  EXPECT_EQ(entries[0].line_numbers, std::vector<int>{4});
  EXPECT_EQ(entries[1].lines, std::vector<std::string>{"MASS 5"});
  const std::string written = sim::ScenarioFileText(entries);
  EXPECT_EQ(written,
            "BEGIN_SHIPS\nRing:vantrel\n  NPLS 2\nEND\nP:payload\n  MASS 5\nEND\nEND_SHIPS\n");
  EXPECT_EQ(sim::ScenarioFileText(sim::ParseScenarioText(written, "w.scn")), written);
}

TEST(ScenarioFile, MalformedTextIsNamedByLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"Ring:vantrel\n", "s.scn:1: expected BEGIN_SHIPS"},
      {"BEGIN_SHIPS\nRing vantrel\n", "s.scn:2: expected a vessel \"Name:Class\" or END_SHIPS"},
      {"BEGIN_SHIPS\n:vantrel\n", "s.scn:2: expected a vessel \"Name:Class\" or END_SHIPS"},
      {"BEGIN_SHIPS\nRing:\n", "s.scn:2: expected a vessel \"Name:Class\" or END_SHIPS"},
      {"BEGIN_SHIPS\nRing:vantrel\n  NPLS 1\n", "s.scn:2: vessel \"Ring\" has no END"},
      {"BEGIN_SHIPS\nEND_SHIPS\nmore\n", "s.scn:3: text after END_SHIPS"},
      {"BEGIN_SHIPS\n", "s.scn: no END_SHIPS"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.text);
    EXPECT_EQ(ErrorOf([&] { sim::ParseScenarioText(example.text, "s.scn"); }), example.message);
  }
}

sim::ScenarioEntry PayloadBlock(const std::vector<std::string>& lines) {
  sim::ScenarioEntry entry;
  entry.name = "P";
  entry.class_name = "payload";
  entry.line = 10;
  entry.lines = lines;
  for (size_t i = 0; i < lines.size(); ++i) entry.line_numbers.push_back(11 + static_cast<int>(i));
  return entry;
}

TEST(PayloadEntry, ReadsMassAttachmentAndPassesTheOtherLinesOn) {
  const sim::PayloadEntry payload = sim::ReadPayloadEntry(
      "s.scn", PayloadBlock({"STATUS Landed Moon", "MASS 42.25", "ATTACHED Ring:PL12", "X 1"}));
  EXPECT_EQ(payload.mass, 42.25);
  EXPECT_EQ(payload.parent, "Ring");
  EXPECT_EQ(payload.point_id, "PL12");
  EXPECT_EQ(payload.attached_line, 13);
  EXPECT_EQ(payload.others, (std::vector<std::string>{"STATUS Landed Moon", "X 1"}));
  EXPECT_EQ(sim::ReadPayloadEntry("s.scn", PayloadBlock({"MASS 0"})).parent, "");
}

TEST(PayloadEntry, BadOrRepeatedLinesAreErrors) {
  const struct {
    std::vector<std::string> lines;
    const char* message;
  } cases[] = {
      {{"MASS 5", "MASS 6"}, "s.scn:12: a second MASS line (the first is line 11)"},
      {{"MASS 5", "ATTACHED R:PL1", "ATTACHED R:PL2"},
       "s.scn:13: a second ATTACHED line (the first is line 12)"},
      {{"ATTACHED R:PL1"}, "s.scn:10: payload \"P\" has no MASS"},
      {{"MASS -1"}, "s.scn:11: malformed number \"-1\" for MASS"},
      {{"MASS inf"}, "s.scn:11: malformed number \"inf\" for MASS"},
      {{"MASS 5", "ATTACHED Ring"}, "s.scn:12: expected ATTACHED <parent>:<port id>"},
      {{"MASS 5", "ATTACHED :PL1"}, "s.scn:12: expected ATTACHED <parent>:<port id>"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.message);
    EXPECT_EQ(ErrorOf([&] { sim::ReadPayloadEntry("s.scn", PayloadBlock(example.lines)); }),
              example.message);
  }
}

TEST(TimelineLine, KeyAndModifierNamesInAnyCase) {
  const auto upper = sim::ParseTimelineLine("key J SHIFT Rctrl", "t", 1);
  const auto lower = sim::ParseTimelineLine("key j shift rctrl ; comment", "t", 2);
  ASSERT_TRUE(upper && lower);
  EXPECT_EQ(upper->key_code, 0x24);
  EXPECT_EQ(lower->key_code, 0x24);
  EXPECT_EQ(upper->held_keys, (std::vector<int>{0x2A, 0x9D}));
  EXPECT_EQ(lower->held_keys, upper->held_keys);
  EXPECT_EQ(lower->text, "key j shift rctrl");
  EXPECT_FALSE(sim::ParseTimelineLine("   ; nothing", "t", 3));
}

TEST(TimelineLine, StepsWithinTheLimits) {
  const auto most = sim::ParseTimelineLine("step 1000000000 1e-3", "t", 1);
  ASSERT_TRUE(most);
  EXPECT_EQ(most->step_count, sim::kMaxStepsInRun);
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"step 1000000001 1", "t:1: the step count must be 1 to 1000000000"},
      {"step 99999999999999999999 1", "t:1: malformed number \"99999999999999999999\""},
      {"step 0 1", "t:1: the step count must be 1 to 1000000000"},
      {"step 1 -1", "t:1: the step length must be a finite number of seconds above 0"},
      {"step 1 nan", "t:1: the step length must be a finite number of seconds above 0"},
      {"step 1 1e999", "t:1: malformed number \"1e999\""},
      {"step 1 1 1", "t:1: unexpected \"1\""},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.line);
    EXPECT_EQ(ErrorOf([&] { sim::ParseTimelineLine(example.line, "t", 1); }), example.message);
  }
}

TEST(TimelineLine, RunLengthIsBoundedInStepsAndTime) {
  const auto events = [](const std::vector<const char*>& lines) {
    std::vector<sim::TimelineEvent> parsed;
    parsed.reserve(lines.size());
    for (const char* line : lines) parsed.push_back(*sim::ParseTimelineLine(line, "t", 1));
    return parsed;
  };
  EXPECT_EQ(ErrorOf([&] {
              sim::CheckRunLength(events({"step 500000000 1", "step 500000000 1"}));
            }),
            "");
  EXPECT_NE(ErrorOf([&] {
              sim::CheckRunLength(events({"step 500000000 1", "step 500000001 1"}));
            }),
            "");
  EXPECT_EQ(ErrorOf([&] { sim::CheckRunLength(events({"step 2 1e308"})); }),
            "the timeline's steps add up to an endless time");
}

TEST(Echo, CutsLongTokensAndEscapesBytes) {
  EXPECT_EQ(sim::Echoed("plain"), "plain");
  EXPECT_EQ(sim::Echoed(std::string("a\0b\x7f\xff\\", 6)), "a\\x00b\\x7F\\xFF\\x5C");
  EXPECT_EQ(sim::Echoed(std::string(100'000, 'x')), std::string(sim::kEchoLength, 'x') + "...");
  EXPECT_EQ(sim::Echoed(std::string(sim::kEchoLength, 'x')), std::string(sim::kEchoLength, 'x'));
}

TEST(HudSvg, EscapesTheTextsItDraws) {
  sim::RecordingSketchpad sketchpad;
  sketchpad.SetTextColor(0x66FF66);
  const char text[] = "<a & \"b\">\x01";
  sketchpad.Text(10, 20, text, static_cast<int>(sizeof text - 1));
  const std::string svg = sim::HudSvg(sketchpad.calls(), 100, 50);
  EXPECT_NE(svg.find(">&lt;a &amp; &quot;b&quot;&gt;?</text>"), std::string::npos) << svg;
  EXPECT_NE(svg.find("fill=\"#66ff66\""), std::string::npos) << svg;
  EXPECT_EQ(svg.rfind("<svg ", 0), 0U) << svg;
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(PolarCsv, OneRowAPointThreeColumnsAnAirfoil) {
  sim::Polars polars;
  polars.angle = {sim::PolarSweep::Variable::kAngle,
                  0.5,
                  {{"vertical", {{-1.0, 0.5, 0.5, -0.25, 0.1}, {0.0, 0.5, 0.0, 0.0, 0.05}}},
                   {"horizontal", {{-1.0, 0.5, 1e-17, 2.0, 0.125}, {0.0, 0.5, 0.0, 0.0, 0.05}}}}};
  polars.mach = {{sim::PolarSweep::Variable::kMach,
                  90.0,
                  {{"vertical", {{90.0, 1.1, 0.0, 0.0, 0.5}}},
                   {"horizontal", {{90.0, 1.1, 0.0, 0.0, 0.25}}}}}};
  EXPECT_EQ(sim::PolarCsv(polars),
            "sweep,angle_deg,mach,vertical cl,vertical cm,vertical cd,horizontal cl,"
            "horizontal cm,horizontal cd\n"
            "angle,-1,0.5,0.5,-0.25,0.1,1e-17,2,0.125\n"
            "angle,0,0.5,0,0,0.05,0,0,0.05\n"
            "mach,90,1.1,0,0,0.5,0,0,0.25\n");
}

TEST(TimeColumn, EightCharactersForAnyFiniteTime) {
  const struct {
    double seconds;
    const char* text;
  } cases[] = {
      {0.0, "    0.00"},  {1.5, "    1.50"},      {99999.99, "99999.99"}, {99999.995, "1.00e+05"},
      {1e99, "1.00e+99"}, {9.996e99, "1.0e+100"}, {1.7e308, "1.7e+308"},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(sim::TimeText(example.seconds), example.text) << example.seconds;
  }
}

TEST(Progress, QuietForASecondThenAFewTimesASecondThenCleared) {
  double now = 100.0;
  char buffer[512] = {};
  FILE* terminal = fmemopen(buffer, sizeof buffer, "w");
  ASSERT_NE(terminal, nullptr);
  {
    sim::Progress progress(terminal, 200, [&] { return now; });
    now = 100.9;
    progress.Update(50);
    std::fflush(terminal);
    EXPECT_STREQ(buffer, "");
    now = 101.0;
    progress.Update(100);
    now = 101.1;
    progress.Update(120);
    std::fflush(terminal);
    EXPECT_STREQ(buffer, "\rvantrel-sim: step 100 of 200 (50%)");
    now = 101.3;
    progress.Update(150);
  }
  std::fclose(terminal);
  EXPECT_STREQ(buffer,
               "\rvantrel-sim: step 100 of 200 (50%)\rvantrel-sim: step 150 of 200 (75%)\r\x1b[K");
}

TEST(AddonLayout, PlainNamesOnly) {
  for (const char* name : {"vantrel", "Sub/vantrel", "a-b_C9", "A/B/c"}) {
    EXPECT_TRUE(sim::IsPlainName(name)) << name;
  }
  for (const char* name :
       {"", "../x", "a/../b", "/abs", "a/", "a//b", "./a", "a.b", "a b", "a\\b", "a\x80"}) {
    EXPECT_FALSE(sim::IsPlainName(name)) << name;
  }
}

}  // namespace
