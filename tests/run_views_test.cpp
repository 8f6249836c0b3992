// vantrel-sim's views of a run, on records built in memory: the table's
// three formats, the trace, the pictures' content and their axes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/hud_svg.h"
#include "app/mass_plot.h"
#include "app/ring_svg.h"
#include "app/run_table.h"
#include "app/run_trace.h"
#include "app/svg.h"
#include "app/text_formats.h"

namespace {

sim::EventRecord Loaded(const std::string& vessel, const std::string& payload) {
  sim::EventRecord record;
  record.time = 1234.5;
  record.vessel = vessel;
  record.event = "load";
  record.port = "PL1";
  record.payload = payload;
  record.empty_mass = 250.0;
  record.attached = {{"PL1", payload, 0}};
  return record;
}

// The display column (UTF-8 characters count once) where the text first
// shows in the line.
size_t ColumnOf(const std::string& line, const std::string& text) {
  const size_t at = line.find(text);
  return at == std::string::npos ? at : sim::DisplayWidth(line.substr(0, at));
}

TEST(RunTable, TextColumnsLineUpForAnyNameLength) {
  const struct {
    const char* name;
    std::string vessel;
    std::string payload;
  } cases[] = {
      {"short names", "Ring", "Aurora"},
      {"long vessel name", "Heavy-Lift Adapter Ring", "Aurora"},
      {"long payload name", "Ring", "Very Long Payload Name"},
      {"names in UTF-8", "Ringe Ærø", "Søren Ølgård"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    sim::TextWidths widths;
    widths.vessel = sim::DisplayWidth(example.vessel);
    widths.payload = sim::DisplayWidth(example.payload);
    const auto table = sim::MakeRunTable(sim::TableFormat::kText, widths);
    const std::string heading = table->Heading();
    const std::string row = table->Record(Loaded(example.vessel, example.payload), 0);
    const std::pair<const char*, std::string> columns[] = {{"vessel", example.vessel},
                                                           {"event", "load"},
                                                           {"answer", "-"},
                                                           {"port", "PL1"},
                                                           {"payload", example.payload + " "},
                                                           {"attached", "PL1 " + example.payload}};
    for (const auto& [heading_text, value] : columns) {
      EXPECT_EQ(ColumnOf(heading, heading_text), ColumnOf(row, "  " + value) + 2)
          << heading_text << "\n"
          << heading << row;
    }
    EXPECT_EQ(ColumnOf(heading, "  attached"), ColumnOf(row, "250.00") + 6) << heading << row;
  }
}

TEST(RunTable, OverlongNamesAreCutWithAnEllipsis) {
  const std::string name(60, 'x');
  sim::TextWidths widths;
  widths.vessel = name.size();
  const auto table = sim::MakeRunTable(sim::TableFormat::kText, widths);
  const std::string row = table->Record(Loaded(name, "Aurora"), 0);
  EXPECT_EQ(row.find(name), std::string::npos) << row;
  EXPECT_NE(row.find(std::string(23, 'x') + "\u2026  load"), std::string::npos) << row;
}

TEST(RunTable, ManyPayloadsAreListedByCountAndPorts) {
  std::vector<sim::AttachedPayload> attached;
  for (size_t port = 0; port < 12; ++port) {
    attached.push_back(
        {"PL" + std::to_string(port + 1), "Payload " + std::to_string(port + 1), port});
  }
  EXPECT_EQ(sim::AttachedText(attached), "12 payloads on PL1-PL12");
  attached.erase(attached.begin() + 7);  // PL8
  attached.erase(attached.begin() + 5);  // PL6
  EXPECT_EQ(sim::AttachedText(attached), "10 payloads on PL1-PL5, PL7, PL9-PL12");
  attached.resize(2);
  EXPECT_EQ(sim::AttachedText(attached), "PL1 Payload 1, PL2 Payload 2");
  EXPECT_EQ(sim::AttachedText({}), "none");
}

TEST(RunTable, CsvAndJsonHoldTheSameFieldsWithNumbersAsNumbers) {
  sim::EventRecord record = Loaded("Ring, \"A\"", "Aurora");
  record.event = "hud 640x480";
  record.answer = {sim::Answer::Kind::kBool, 1};
  record.hud = {{10, 20, "Next Payload = Aurora"}};
  const auto csv = sim::MakeRunTable(sim::TableFormat::kCsv, {});
  EXPECT_EQ(csv->Heading(), "time,vessel,event,answer,port,payload,empty_mass,attached,hud\n");
  EXPECT_EQ(csv->Record(record, 0),
            "1234.5,\"Ring, \"\"A\"\"\",hud 640x480,true,PL1,Aurora,250,PL1 Aurora,"
            "\"(10, 20) \"\"Next Payload = Aurora\"\"\"\n");

  record.payload.reset();
  record.answer = {sim::Answer::Kind::kNumber, 0};
  const auto json = sim::MakeRunTable(sim::TableFormat::kJson, {});
  EXPECT_EQ(json->Heading() + json->Record(record, 0) + json->Record(record, 1) + json->Ending(),
            "[\n"
            "{\"time\": 1234.5, \"vessel\": \"Ring, \\\"A\\\"\", \"event\": \"hud 640x480\", "
            "\"answer\": 0, \"port\": \"PL1\", \"payload\": null, \"empty_mass\": 250, "
            "\"attached\": [{\"port\": \"PL1\", \"payload\": \"Aurora\"}], "
            "\"hud\": [{\"x\": 10, \"y\": 20, \"text\": \"Next Payload = Aurora\"}]},\n"
            "{\"time\": 1234.5, \"vessel\": \"Ring, \\\"A\\\"\", \"event\": \"hud 640x480\", "
            "\"answer\": 0, \"port\": \"PL1\", \"payload\": null, \"empty_mass\": 250, "
            "\"attached\": [{\"port\": \"PL1\", \"payload\": \"Aurora\"}], "
            "\"hud\": [{\"x\": 10, \"y\": 20, \"text\": \"Next Payload = Aurora\"}]}\n]\n");
}

TEST(TextFormats, AnyNameGivesValidJsonAndCsv) {
  const struct {
    std::string text;
    std::string json;
    std::string csv;
  } cases[] = {
      {"Aurora", "\"Aurora\"", "Aurora"},
      {"a\"b\\c", "\"a\\\"b\\\\c\"", "\"a\"\"b\\c\""},
      {"tab\there\nline", "\"tab\\u0009here\\u000aline\"", "\"tab\there\nline\""},
      {"S\xc3\xb8ren", "\"S\xc3\xb8ren\"", "S\xc3\xb8ren"},
      {"Latin-1 \xf8 and a cut \xe2\x82", "\"Latin-1 \\ufffd and a cut \\ufffd\\ufffd\"",
       "Latin-1 \xf8 and a cut \xe2\x82"},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.text);
    EXPECT_EQ(sim::JsonString(example.text), example.json);
    EXPECT_EQ(sim::CsvField(example.text), example.csv);
  }
  EXPECT_EQ(sim::JsonNumber(0.1), "0.1");
  EXPECT_EQ(sim::JsonNumber(0.0 / 0.0), "null");
  EXPECT_EQ(sim::XmlText("<a & \"b\">\x01"), "&lt;a &amp; &quot;b&quot;&gt;?");
}

sim::VesselState State(const std::string& selected, double mass, std::vector<sim::PortLoad> ports) {
  return {"Ring", selected, mass, std::move(ports)};
}

// A trace of a load, two steps that change nothing, and a release.
sim::RunTrace DemoTrace() {
  sim::RunTrace trace;
  trace.port_ids = {"PL1", "PL2"};
  trace.stretches = {
      {0.0, 0.0, 1, {State("PL1", 200, {{"Aurora", 150}, {"", 0}})}},
      {0.5, 0.5, 2, {State("PL1", 350, {{"Aurora", 150}, {"", 0}})}},
      {1.5, 0.5, 1, {State("PL2", 200, {{"", 0}, {"", 0}})}},
  };
  return trace;
}

TEST(RunTrace, EveryStepIsARowAndStretchesGiveBackTheirTimes) {
  EXPECT_EQ(sim::TraceCsv(DemoTrace()),
            "time,vessel,port,payload,empty_mass,attached,PL1 mass,PL2 mass\n"
            "0,Ring,PL1,Aurora,200,1,150,0\n"
            "0.5,Ring,PL1,Aurora,350,1,150,0\n"
            "1,Ring,PL1,Aurora,350,1,150,0\n"
            "1.5,Ring,PL2,,200,0,0,0\n");
}

TEST(MassPlot, HoldsEachMassUntilTheStepThatChangesIt) {
  const sim::PlotPoints expected = {{0.0, 200}, {0.5, 200}, {0.5, 350},
                                    {1.0, 350}, {1.5, 350}, {1.5, 200}};
  EXPECT_EQ(sim::MassSteps(DemoTrace(), 0), expected);
  sim::RingRecord ring;
  ring.vessel = "Ring";
  ring.releases = {{"Aurora", 150, "PL1", 1.25, 0.3}};
  const std::string svg = sim::MassPlotSvg(DemoTrace(), {ring});
  EXPECT_NE(svg.find(">Aurora 150 kg off PL1 at 1.25 s<"), std::string::npos) << svg;
  EXPECT_NE(svg.find(">200.00 kg<"), std::string::npos) << svg;
  EXPECT_NE(svg.find(">time (s)<"), std::string::npos);
  EXPECT_NE(svg.find(">empty mass (kg)<"), std::string::npos);
}

TEST(RingPicture, EachPortSitsOutInItsOwnDirection) {
  sim::RingRecord ring;
  ring.vessel = "Ring";
  ring.selected = "E";
  ring.empty_mass = 300;
  ring.ports = {{"E", {1, 0, 0}, {1, 0, 0}, "Aurora", 100},
                {"N", {0, 1, 0}, {0, 1, 0}, "", 0},
                {"W", {-1, 0, 0}, {-1, 0, 0}, "", 0},
                {"S", {0, -1, 0}, {0, -1, 0}, "", 0}};
  ring.releases = {{"Borealis", 50, "W", 2.5, 0.3}};
  const std::string svg = sim::RingSvg({ring});
  // A box's id is written at its top left corner.
  const auto place = [&](const std::string& id) {
    const size_t at = svg.find(">" + id + "</text>");
    const size_t text = svg.rfind("<text x=\"", at);
    const double x = std::stod(svg.substr(text + 9));
    const double y = std::stod(svg.substr(svg.find("y=\"", text) + 3));
    return std::pair{x, y};
  };
  EXPECT_GT(place("E").first, place("N").first);
  EXPECT_LT(place("W").first, place("N").first);
  EXPECT_LT(place("N").second, place("E").second);
  EXPECT_GT(place("S").second, place("E").second);
  EXPECT_NE(svg.find(">Aurora</text>"), std::string::npos);
  EXPECT_NE(svg.find(">Borealis (50 kg)</text>"), std::string::npos);
  EXPECT_NE(svg.find(">released 2.50 s, 0.3 m/s</text>"), std::string::npos);
  EXPECT_NE(svg.find("empty mass 300 kg"), std::string::npos);
  EXPECT_NE(svg.find(">selected</text>"), std::string::npos);
}

TEST(HudFrame, CaptionSitsBelowTheHudArea) {
  sim::HudFrame frame{"Ring", 1.5, 640, 480, 2, {}};
  const std::string svg = sim::HudFrameSvg(frame);
  EXPECT_NE(svg.find("height=\"512\""), std::string::npos) << svg;
  EXPECT_NE(svg.find("<rect width=\"640\" height=\"480\" fill=\"black\"/>"), std::string::npos);
  EXPECT_NE(svg.find(">Ring \u00b7 t = 1.50 s \u00b7 HUD 640 \u00d7 480 \u00b7 mode 2</text>"),
            std::string::npos)
      << svg;
}

TEST(PlotPanel, CurvesKeepOnlyThePointsThatShow) {
  const sim::PlotPanel panel(0, 0, 100, 100, {0, 10, 1}, {0, 10, 1});
  sim::PlotPoints line;
  sim::PlotPoints corner;
  for (int i = 0; i <= 10; ++i) {
    line.emplace_back(i, i);
    corner.emplace_back(i, i <= 5 ? 0 : i - 5);
  }
  const auto points = [](const std::string& svg) {
    const size_t start = svg.find("points=\"") + 8;
    return svg.substr(start, svg.find('"', start) - start);
  };
  EXPECT_EQ(points(panel.Curve(line, "black")), "0,100 100,0 ");
  EXPECT_EQ(points(panel.Curve(corner, "black")), "0,100 50,100 100,50 ");
  EXPECT_EQ(points(panel.Curve({{3, 3}}, "black")), "30,70 ");
}

TEST(PlotAxes, TicksAreRoundAndCoverTheData) {
  const struct {
    double low = 0.0;
    double high = 0.0;
    int ticks = 0;
    sim::Axis axis;
  } cases[] = {
      {0.0, 1047.75, 6, {0, 1200, 200}},
      {0.0, 2.08, 10, {0, 2.25, 0.25}},
      {0.03, 0.47, 8, {0, 0.5, 0.1}},
      {0.0, 0.0, 4, {-1, 1, 0.5}},  // a flat curve gets room around it
      {-0.25, 0.25, 4, {-0.4, 0.4, 0.2}},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.high);
    const sim::Axis axis = sim::RoundAxis(example.low, example.high, example.ticks);
    EXPECT_NEAR(axis.low, example.axis.low, 1e-12);
    EXPECT_NEAR(axis.high, example.axis.high, 1e-12);
    EXPECT_NEAR(axis.step, example.axis.step, 1e-12);
  }
  EXPECT_EQ(sim::TickText(0.30000000000000004, 0.1), "0.3");
  EXPECT_EQ(sim::TickText(-1e-17, 0.5), "0.0");
  EXPECT_EQ(sim::TickText(1200, 200), "1200");
  EXPECT_EQ(sim::TickText(0.75, 0.25), "0.75");
}

}  // namespace
