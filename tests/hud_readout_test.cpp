// The HUD readout: where its three lines go on HUDs of every shape, what they
// say, and the colour set before each, through the real module.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "core/recording_sketchpad.h"
#include "support/host_counters.h"
#include "support/module_fixture.h"

namespace {

const int kKeyJ = 0x24;

// A recorded call as text, "SetTextColor(0x66ff66)" or
// "Text(10, 167, "J = Jettison Payload", 20)".
std::string CallText(const sim::SketchpadCall& call) {
  char text[400];
  if (call.kind == sim::SketchpadCall::Kind::kSetTextColor) {
    std::snprintf(text, sizeof text, "SetTextColor(0x%06x)", call.colour);
  } else {
    std::snprintf(text, sizeof text, "Text(%d, %d, \"%s\", %d)", call.x, call.y,
                  std::string(call.Text()).c_str(), call.length);
  }
  return text;
}

class HudReadout : public LoadedModule {
 protected:
  void SetUp() override {
    LoadedModule::SetUp();
    if (!HasFatalFailure()) ring = &AddRing();
  }

  // One HUD frame; the calls it made, as text.
  std::vector<std::string> Draw(int width = 1024, int height = 768, int mode = 1) {
    sketchpad.Clear();
    const HUDPAINTSPEC spec = {width, height, width / 2, height / 2};
    EXPECT_TRUE(Callbacks(*ring).clbkDrawHUD(mode, &spec, &sketchpad));
    std::vector<std::string> calls;
    for (const sim::SketchpadCall& call : sketchpad.calls()) calls.push_back(CallText(call));
    return calls;
  }

  std::string PayloadLine() { return Draw().at(5); }

  VesselObject* ring = nullptr;
  sim::RecordingSketchpad sketchpad;
  char keyboard[256] = {};
};

}  // namespace

TEST_F(HudReadout, WritesThreeGreenLinesEachAfterItsColour) {
  EXPECT_EQ(Draw(), (std::vector<std::string>{
                        "SetTextColor(0x66ff66)",
                        "Text(10, 167, \"J = Jettison Payload\", 20)",
                        "SetTextColor(0x66ff66)",
                        "Text(10, 183, \"N = Select Next Payload\", 23)",
                        "SetTextColor(0x66ff66)",
                        "Text(10, 199, \"Next Payload = none\", 19)",
                    }));
  EXPECT_EQ(sim::host_counters().Of(*ring).default_hud_draws, 1);
  EXPECT_EQ(sim::host_counters().Of(*ring).attachment_queries, 1);
}

TEST_F(HudReadout, PlacesTheBlockByHeightAndShiftsItOnWideHuds) {
  const struct {
    int width;
    int height;
    int x;
    int y[3];
  } cases[] = {
      {1024, 768, 10, {167, 183, 199}},   // 4:3, ratio 0.75
      {1280, 1024, 10, {223, 245, 266}},  // 5:4
      {1280, 800, 210, {83, 100, 117}},   // 16:10
      {1280, 720, 210, {75, 90, 105}},    // 16:9, dy -82
      {2500, 1821, 10, {398, 436, 474}},  // ratio exactly 0.7284
      {2500, 1820, 400, {190, 228, 265}},
      {0, 768, 10, {167, 183, 199}},  // infinite ratio
      {0, 0, 10, {0, 0, 0}},          // a ratio that is not a number
      // 16 * W overflows 32 bits beyond 2^27 - 1; the shift must not (compilers may
      // hide a 32-bit overflow here, the sanitizer run reports it).
      {134217727, 768, 20971520, {80, 96, 112}},
      {134217728, 768, 20971530, {80, 96, 112}},
      {INT_MAX - 1, 768, 335544320, {80, 96, 112}},
      {INT_MAX, 768, 335544320, {80, 96, 112}},
      {INT_MIN, 768, -335544310, {80, 96, 112}},  // a negative ratio counts as wide
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(std::to_string(example.width) + " x " + std::to_string(example.height));
    Draw(example.width, example.height);
    const std::vector<sim::SketchpadCall>& calls = sketchpad.calls();
    ASSERT_EQ(calls.size(), 6U);
    for (int line = 0; line < 3; ++line) {
      EXPECT_EQ(calls[2 * line + 1].x, example.x) << "line " << line + 1;
      EXPECT_EQ(calls[2 * line + 1].y, example.y[line]) << "line " << line + 1;
    }
  }
}

TEST_F(HudReadout, NamesThePayloadThatTheNextJReleases) {
  ASSERT_NE(sim::world().AttachPayload(*ring, "PL1", "Alpha", 100.0), nullptr);
  ASSERT_NE(sim::world().AttachPayload(*ring, "PL2", "Bravo-2", 100.0), nullptr);

  EXPECT_EQ(PayloadLine(), "Text(10, 199, \"Next Payload = Alpha\", 20)");
  Callbacks(*ring).clbkKeyEvent(kKeyJ, true, keyboard);
  EXPECT_EQ(PayloadLine(), "Text(10, 199, \"Next Payload = Bravo-2\", 22)");
  Callbacks(*ring).clbkKeyEvent(kKeyJ, true, keyboard);
  EXPECT_EQ(PayloadLine(), "Text(10, 199, \"Next Payload = none\", 19)");

  EXPECT_EQ(sim::host_counters().Of(*ring).attachment_queries, 3);  // one per frame
  EXPECT_EQ(sim::host_counters().Of(*sim::world().Find("Alpha")).name_queries, 1);
  EXPECT_EQ(sim::host_counters().Of(*sim::world().Find("Bravo-2")).name_queries, 1);
}

TEST_F(HudReadout, FetchesTheNameIntoSixtyCharacters) {
  const std::string name(70, 'x');
  ASSERT_NE(sim::world().AttachPayload(*ring, "PL1", name, 100.0), nullptr);
  EXPECT_EQ(PayloadLine(), "Text(10, 199, \"Next Payload = " + name.substr(0, 59) + "\", 74)");
}

TEST_F(HudReadout, DrawsInEveryHudMode) {
  const std::vector<std::string> expected = Draw(1280, 720, 1);
  for (const int mode : {0, 2, 3, 4, -1, 1000}) {
    EXPECT_EQ(Draw(1280, 720, mode), expected) << "mode " << mode;
  }
  EXPECT_EQ(sim::host_counters().Of(*ring).default_hud_draws, 7);
}
