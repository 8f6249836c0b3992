#include "app/run_table.h"

#include <algorithm>
#include <cstdio>

#include "app/text_formats.h"
#include "core/call_text.h"

namespace sim {

std::string TimeText(double seconds) {
  const char* format = "%8.1e";
  if (seconds < 99999.995) {
    format = "%8.2f";
  } else if (seconds < 9.995e99) {
    format = "%8.2e";
  }
  char text[16];
  std::snprintf(text, sizeof text, format, seconds);
  return text;
}

namespace {

// The text table's columns: at least as wide as their headings (and as the
// first version of the table, which scripts may read), at most this wide.
const size_t kTimeWidth = 8;
const size_t kVesselWidth = 8;
const size_t kEventWidth = 22;
const size_t kAnswerWidth = 6;
const size_t kPortWidth = 4;
const size_t kPayloadWidth = 10;
const size_t kMassWidth = 10;
const size_t kWidestName = 24;
// The attached payloads are listed by name while that fits in this many
// characters, and by count and ports beyond.
const size_t kAttachedListWidth = 72;

std::string Formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The text in a column of the width, on its left or its right.
std::string Padded(const std::string& text, size_t width, bool right = false) {
  const size_t shown = DisplayWidth(text);
  const std::string blanks(shown < width ? width - shown : 0, ' ');
  return right ? blanks + text : text + blanks;
}

std::string AnswerText(const Answer& answer) {
  switch (answer.kind) {
    case Answer::Kind::kNone:
      return "-";
    case Answer::Kind::kBool:
      return answer.value != 0 ? "true" : "false";
    case Answer::Kind::kNumber:
      return std::to_string(answer.value);
  }
  return "-";
}

std::string HudLineText(const HudText& text) {
  return "(" + std::to_string(text.x) + ", " + std::to_string(text.y) + ") \"" + text.text + "\"";
}

std::string FullAttachedList(const std::vector<AttachedPayload>& attached) {
  std::string text;
  for (const AttachedPayload& payload : attached) {
    text += (text.empty() ? "" : ", ") + payload.port + " " + payload.payload;
  }
  return text;
}

class TextTable final : public RunTable {
 public:
  explicit TextTable(const TextWidths& widths)
      : vessel_(std::clamp(widths.vessel, kVesselWidth, kWidestName)),
        event_(std::clamp(widths.event, kEventWidth, kWidestName + 8)),
        port_(std::clamp(widths.port, kPortWidth, kWidestName)),
        payload_(std::clamp(widths.payload, kPayloadWidth, kWidestName)) {}

  std::string Heading() const override {
    return Padded("time", kTimeWidth, true) + "  " + Padded("vessel", vessel_) + "  " +
           Padded("event", event_) + "  " + Padded("answer", kAnswerWidth) + "  " +
           Padded("port", port_) + "  " + Padded("payload", payload_) + "  " +
           Padded("empty mass", kMassWidth, true) + "  attached\n";
  }

  std::string Record(const EventRecord& record, size_t /*index*/) const override {
    std::string text =
        TimeText(record.time) + "  " + Padded(CutToWidth(record.vessel, vessel_), vessel_) + "  " +
        Padded(CutToWidth(record.event, event_), event_) + "  " +
        Padded(AnswerText(record.answer), kAnswerWidth) + "  " +
        Padded(CutToWidth(record.port.value_or("-"), port_), port_) + "  " +
        Padded(CutToWidth(record.port ? record.payload.value_or("none") : "-", payload_),
               payload_) +
        "  " + Padded(Formatted("%.2f", record.empty_mass), kMassWidth, true) + "  " +
        AttachedText(record.attached) + "\n";
    for (const HudText& line : record.hud) {
      text += std::string(kTimeWidth, ' ') + "  " + std::string(vessel_, ' ') + "  | " +
              HudLineText(line) + "\n";
    }
    return text;
  }

  std::string Ending() const override { return ""; }

 private:
  size_t vessel_;
  size_t event_;
  size_t port_;
  size_t payload_;
};

// One line a record; answers as they are (empty for none), HUD texts one a
// line within their field.
class CsvTable final : public RunTable {
 public:
  std::string Heading() const override {
    return "time,vessel,event,answer,port,payload,empty_mass,attached,hud\n";
  }

  std::string Record(const EventRecord& record, size_t /*index*/) const override {
    const std::string answer =
        record.answer.kind == Answer::Kind::kNone ? "" : AnswerText(record.answer);
    std::string hud;
    for (const HudText& line : record.hud) hud += (hud.empty() ? "" : "\n") + HudLineText(line);
    return ArgumentText(record.time) + "," + CsvField(record.vessel) + "," +
           CsvField(record.event) + "," + answer + "," + CsvField(record.port.value_or("")) + "," +
           CsvField(record.payload.value_or("")) + "," + ArgumentText(record.empty_mass) + "," +
           CsvField(FullAttachedList(record.attached)) + "," + CsvField(hud) + "\n";
  }

  std::string Ending() const override { return ""; }
};

// An array of records, one a line; what is missing is null.
class JsonTable final : public RunTable {
 public:
  std::string Heading() const override { return "["; }

  std::string Record(const EventRecord& record, size_t index) const override {
    std::string answer = "null";
    if (record.answer.kind != Answer::Kind::kNone) answer = AnswerText(record.answer);
    std::string attached;
    for (const AttachedPayload& payload : record.attached) {
      attached += std::string(attached.empty() ? "" : ", ") +
                  "{\"port\": " + JsonString(payload.port) +
                  ", \"payload\": " + JsonString(payload.payload) + "}";
    }
    std::string hud;
    for (const HudText& line : record.hud) {
      hud += std::string(hud.empty() ? "" : ", ") + "{\"x\": " + std::to_string(line.x) +
             ", \"y\": " + std::to_string(line.y) + ", \"text\": " + JsonString(line.text) + "}";
    }
    const auto optional = [](const std::optional<std::string>& text) {
      return text ? JsonString(*text) : std::string("null");
    };
    return std::string(index == 0 ? "\n" : ",\n") + "{\"time\": " + JsonNumber(record.time) +
           ", \"vessel\": " + JsonString(record.vessel) +
           ", \"event\": " + JsonString(record.event) + ", \"answer\": " + answer +
           ", \"port\": " + optional(record.port) + ", \"payload\": " + optional(record.payload) +
           ", \"empty_mass\": " + JsonNumber(record.empty_mass) + ", \"attached\": [" + attached +
           "], \"hud\": [" + hud + "]}";
  }

  std::string Ending() const override { return "\n]\n"; }
};

}  // namespace

std::optional<TableFormat> ParseTableFormat(const std::string& name) {
  if (name == "text") return TableFormat::kText;
  if (name == "csv") return TableFormat::kCsv;
  if (name == "json") return TableFormat::kJson;
  return std::nullopt;
}

std::unique_ptr<RunTable> MakeRunTable(TableFormat format, const TextWidths& widths) {
  switch (format) {
    case TableFormat::kCsv:
      return std::make_unique<CsvTable>();
    case TableFormat::kJson:
      return std::make_unique<JsonTable>();
    case TableFormat::kText:
      break;
  }
  return std::make_unique<TextTable>(widths);
}

std::string AttachedText(const std::vector<AttachedPayload>& attached) {
  if (attached.empty()) return "none";
  std::string list = FullAttachedList(attached);
  if (DisplayWidth(list) <= kAttachedListWidth) return list;
  std::string ports;
  for (size_t first = 0; first < attached.size();) {
    size_t last = first;
    while (last + 1 < attached.size() &&
           attached[last + 1].port_index == attached[last].port_index + 1) {
      ++last;
    }
    ports += (ports.empty() ? "" : ", ") + attached[first].port;
    if (last != first) ports += "-" + attached[last].port;
    first = last + 1;
  }
  return std::to_string(attached.size()) + " payloads on " + ports;
}

}  // namespace sim
