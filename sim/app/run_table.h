// The run's table: one record per event, what a vessel answered and how it
// stands afterwards, written as aligned text for eyes, or as CSV or JSON for
// programs. The writers are pure: each gives the text of its part.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// What a vessel's callback answered to an event.
struct Answer {
  enum class Kind { kNone, kBool, kNumber };
  Kind kind = Kind::kNone;
  int value = 0;  // kBool: 0 or 1
};

struct AttachedPayload {
  std::string port;
  std::string payload;
  size_t port_index = 0;  // the port's place among the vessel's attachment points
};

// A text the vessel drew on the HUD, at its position in pixels.
struct HudText {
  int x = 0;
  int y = 0;
  std::string text;
};

struct EventRecord {
  double time = 0.0;  // seconds
  std::string vessel;
  std::string event;
  Answer answer;
  std::optional<std::string> port;     // the selected port; none when the vessel saves none
  std::optional<std::string> payload;  // on the selected port; none when it is empty
  double empty_mass = 0.0;             // kg
  std::vector<AttachedPayload> attached;
  std::vector<HudText> hud;  // hud events only
};

// The time column's text: eight characters for any finite time, fixed
// below 10^5 seconds and in powers of ten above.
std::string TimeText(double seconds);

enum class TableFormat { kText, kCsv, kJson };

// "text", "csv" or "json"; none for anything else.
std::optional<TableFormat> ParseTableFormat(const std::string& name);

// The widest values the text table's columns must hold, in characters.
struct TextWidths {
  size_t vessel = 0;
  size_t event = 0;
  size_t port = 0;
  size_t payload = 0;
};

class RunTable {
 public:
  RunTable() = default;
  RunTable(const RunTable&) = delete;
  RunTable& operator=(const RunTable&) = delete;
  RunTable(RunTable&&) = delete;
  RunTable& operator=(RunTable&&) = delete;
  virtual ~RunTable() = default;

  virtual std::string Heading() const = 0;
  // The record's text; index counts the records from 0.
  virtual std::string Record(const EventRecord& record, size_t index) const = 0;
  virtual std::string Ending() const = 0;
};

// The text table keeps its columns at least as wide as its headings and the
// widest of the given values, up to a limit past which values are cut with
// an ellipsis.
std::unique_ptr<RunTable> MakeRunTable(TableFormat format, const TextWidths& widths);

// The payloads in the text table: "PL1 Aurora, PL3 Borealis", "none", or,
// when the list is long, their count and ports, neighbouring ports as ranges:
// "9 payloads on PL1-PL5, PL8, PL10-PL12".
std::string AttachedText(const std::vector<AttachedPayload>& attached);

}  // namespace sim
