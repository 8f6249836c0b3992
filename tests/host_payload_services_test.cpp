// The host stand-in's services behind payload operations: attaching and
// releasing vessels, mass and name queries, scenario blocks and the recording
// drawing surface.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/recording_sketchpad.h"
#include "core/scenario.h"
#include "core/world.h"
#include "host/api.h"
#include "host/vessel.h"
#include "support/host_counters.h"

namespace {

class HostPayloadServices : public ::testing::Test {
 protected:
  // A generic vessel with two attachment points.
  void SetUp() override {
    sim::world().Clear();
    carrier_object = &sim::world().AddVessel("Carrier", sim::kPayloadClass);
    Carrier().CreateAttachment(false, {1, 0, 0}, {1, 0, 0}, {0, 0, 1}, "P1", false);
    Carrier().CreateAttachment(false, {-1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, "P2", false);
  }
  void TearDown() override { sim::world().Clear(); }

  // The carrier seen through its interface.
  VESSEL Carrier() const { return {carrier_object, 1}; }

  VesselObject* carrier_object = nullptr;
};

}  // namespace

TEST_F(HostPayloadServices, AttachesAPayloadOnlyToAFreePointOfThatId) {
  VesselObject* payload = sim::world().AttachPayload(*carrier_object, "P2", "Crate", 42.0);
  ASSERT_NE(payload, nullptr);
  EXPECT_EQ(payload->attached_to, carrier_object->attachments[1].get());
  EXPECT_EQ(Carrier().GetAttachmentStatus(carrier_object->attachments[1].get()), payload);
  EXPECT_EQ(Carrier().GetAttachmentStatus(carrier_object->attachments[0].get()), nullptr);
  EXPECT_EQ(sim::host_counters().Of(*carrier_object).attachment_queries, 2);
  EXPECT_EQ(oapiGetMass(payload), 42.0);
  EXPECT_EQ(sim::host_counters().Of(*payload).mass_queries, 1);

  EXPECT_EQ(sim::world().AttachPayload(*carrier_object, "P2", "Second", 1.0), nullptr);
  EXPECT_EQ(sim::world().AttachPayload(*carrier_object, "P3", "Third", 1.0), nullptr);
  EXPECT_EQ(sim::world().vessels().size(), 2U);
}

TEST_F(HostPayloadServices, DetachChildReleasesWhatIsAttachedAndNothingElse) {
  AttachmentObject* point = carrier_object->attachments[0].get();
  EXPECT_FALSE(Carrier().DetachChild(point, 0.3));
  EXPECT_FALSE(Carrier().DetachChild(nullptr, 0.3));

  VesselObject* payload = sim::world().AttachPayload(*carrier_object, "P1", "Crate", 42.0);
  ASSERT_NE(payload, nullptr);
  sim::world().time = 12.5;
  EXPECT_TRUE(Carrier().DetachChild(point, 0.3));
  EXPECT_EQ(point->child, nullptr);
  EXPECT_EQ(payload->attached_to, nullptr);
  EXPECT_EQ(payload->release_velocity, 0.3);
  // The host keeps when and where the payload left, for pictures of the run.
  EXPECT_EQ(payload->release_time, 12.5);
  EXPECT_EQ(payload->released_from, point);
  EXPECT_EQ(point->detach_requests, 2);
  EXPECT_FALSE(Carrier().DetachChild(point, 0.3));

  // Once the carrier is gone, the payload no longer points into it.
  sim::world().RemoveVessel(*carrier_object);
  EXPECT_EQ(payload->released_from, nullptr);
}

TEST_F(HostPayloadServices, GetObjectNameKeepsWithinTheBufferAndTerminates) {
  VesselObject& vessel = sim::world().AddVessel("Cargo", sim::kPayloadClass);
  const struct {
    int size;
    const char* written;  // null: the buffer is left alone
  } cases[] = {{60, "Cargo"}, {6, "Cargo"}, {5, "Carg"}, {1, ""}, {0, nullptr}, {-1, nullptr}};
  for (const auto& example : cases) {
    SCOPED_TRACE(example.size);
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    oapiGetObjectName(&vessel, buffer, example.size);
    if (example.written == nullptr) {
      EXPECT_EQ(buffer[0], '#');
    } else {
      EXPECT_STREQ(buffer, example.written);
      EXPECT_EQ(buffer[std::strlen(example.written) + 1], '#');  // nothing past the terminator
    }
  }
  EXPECT_EQ(sim::host_counters().Of(vessel).name_queries, 6);
}

TEST_F(HostPayloadServices, ABlockHandsOutEachLineInABufferOfItsOwn) {
  sim::ScenarioBlock block({"FIRST  1", "", "\tlast"});
  std::vector<std::string> read;
  char* line = nullptr;
  while (block.NextLine(line)) {
    read.emplace_back(line);
    line[0] = '!';  // the reader may change its copy
  }
  EXPECT_EQ(read, (std::vector<std::string>{"FIRST  1", "", "\tlast"}));
  EXPECT_EQ(block.lines(), read);

  char key[] = "KEY";
  char value[] = "two words";
  oapiWriteScenario_string(&block, key, value);
  EXPECT_EQ(block.lines().back(), "KEY two words");
  EXPECT_EQ(sim::BlockText({"A 1", "B"}), "A 1\nB\n");
}

TEST_F(HostPayloadServices, ParsedLinesAreRecordedAndWrittenBackAfterTheStatus) {
  int status_marker = 0;
  char status_line[] = "STATUS Landed Moon";
  char other_line[] = "FUEL 0.5";
  Carrier().ParseScenarioLineEx(other_line, &status_marker);
  Carrier().ParseScenarioLineEx(status_line, &status_marker);
  EXPECT_EQ(carrier_object->parsed_scenario_lines,
            (std::vector<ParsedScenarioLine>{{"FUEL 0.5", &status_marker},
                                             {"STATUS Landed Moon", &status_marker}}));
  EXPECT_EQ(sim::SaveVesselState(*carrier_object),
            (std::vector<std::string>{"STATUS Landed Moon", "FUEL 0.5"}));
}

// A vessel class that keeps the default state loading hands every line of its
// block to the simulator's parser, and saves them back.
TEST_F(HostPayloadServices, DefaultLoadingPassesEveryLineToTheParser) {
  VESSEL3 plain(carrier_object, 1);
  sim::ScenarioBlock block({"STATUS Landed Moon", "NPLS 3"});
  int status_marker = 0;
  plain.clbkLoadState(&block, &status_marker);
  EXPECT_EQ(carrier_object->parsed_scenario_lines,
            (std::vector<ParsedScenarioLine>{{"STATUS Landed Moon", &status_marker},
                                             {"NPLS 3", &status_marker}}));
  EXPECT_EQ(sim::SaveVesselState(*carrier_object),
            (std::vector<std::string>{"STATUS Landed Moon", "NPLS 3"}));
}

TEST(RecordingSketchpad, RecordsExactlyTheGivenLengthAndTheColourInOrder) {
  sim::RecordingSketchpad sketchpad;
  EXPECT_EQ(sketchpad.SetTextColor(0x123456), 0U);
  EXPECT_EQ(sketchpad.SetTextColor(0x66ff66), 0x123456U);
  EXPECT_TRUE(sketchpad.Text(3, -4, "abcdef", 3));
  ASSERT_EQ(sketchpad.calls().size(), 3U);
  EXPECT_EQ(sketchpad.calls()[1].colour, 0x66ff66U);
  EXPECT_EQ(sketchpad.calls()[2].kind, sim::SketchpadCall::Kind::kText);
  EXPECT_EQ(sketchpad.calls()[2].Text(), "abc");
  EXPECT_EQ(sketchpad.calls()[2].x, 3);
  EXPECT_EQ(sketchpad.calls()[2].y, -4);
  EXPECT_EQ(sketchpad.calls()[2].length, 3);
  sketchpad.Clear();
  EXPECT_TRUE(sketchpad.calls().empty());
}
