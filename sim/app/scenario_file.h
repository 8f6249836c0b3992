// Scenario files of the stand-in, in the style of the simulator's own:
//
//   ; comments start with a semicolon
//   BEGIN_SHIPS
//   Ring:vantrel
//     NPLS 2
//   END
//   Alpha:payload
//     MASS 150
//     ATTACHED Ring:PL1
//   END
//   END_SHIPS
//
// Each vessel is a block opened by "Name:Class" and closed by "END". The
// lines of a block are written indented by two blanks; they are read back
// without their leading white space.
#pragma once

#include <string>
#include <vector>

namespace sim {

struct ScenarioEntry {
  std::string name;
  std::string class_name;
  int line = 0;                    // where "Name:Class" stands
  std::vector<std::string> lines;  // the block's lines, in order
  std::vector<int> line_numbers;   // where each of them stands
};

// Reads a scenario file; throws InputError naming the file and line.
std::vector<ScenarioEntry> ReadScenarioFile(const std::string& path);
// The same for a scenario's text; path names it in messages.
std::vector<ScenarioEntry> ParseScenarioText(const std::string& text, const std::string& path);

// A block of the built-in payload class: "MASS <kg>" once and "ATTACHED
// <parent>:<port id>" at most once; the other lines are the simulator's own.
struct PayloadEntry {
  double mass = 0.0;
  std::string parent;  // empty when not attached
  std::string point_id;
  int attached_line = 0;            // where the ATTACHED line stands
  std::vector<std::string> others;  // the simulator's own lines, in order
};

// Reads a payload's block of the scenario file at path; throws InputError
// naming the file and line.
PayloadEntry ReadPayloadEntry(const std::string& path, const ScenarioEntry& entry);

// The text of a scenario file holding these blocks (line numbers not used).
std::string ScenarioFileText(const std::vector<ScenarioEntry>& blocks);

}  // namespace sim
