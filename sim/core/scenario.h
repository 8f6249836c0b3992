// Scenario blocks: the lines of one vessel's block of a scenario, which the
// simulator hands to the vessel's module one at a time when loading, and which
// the module and the simulator write when saving. A block holds its lines
// without line ends; how blocks sit in a file is the file reader's business.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/world.h"

namespace sim {

class ScenarioBlock {
 public:
  ScenarioBlock() = default;
  explicit ScenarioBlock(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  // Reading: points line at a copy of the next line, in a buffer of the
  // block's that the reader may change and that holds until the next call;
  // false after the last line.
  bool NextLine(char*& line);
  // Writing: adds a line at the end.
  void Write(std::string line) { lines_.push_back(std::move(line)); }

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
  std::string current_;
};

// The simulator's own lines for a vessel: its status line, then the lines of
// its block that it kept unread.
void WriteOwnState(const VesselObject& vessel, ScenarioBlock& block);
// Takes one of the simulator's own lines back into the vessel's state.
void ReadOwnState(VesselObject& vessel, const std::string& line);

// Saves a vessel's block: a module vessel writes it through its clbkSaveState,
// a generic vessel has the simulator write its own lines.
std::vector<std::string> SaveVesselState(const VesselObject& vessel);
// Creates a module vessel from its block as the simulator does: ovcInit, class
// setup, then clbkLoadState with the block's lines, the vessel itself as the
// status pointer. Null when the module creates no interface.
VesselObject* LoadModuleVessel(World& world, std::string name, std::string class_name,
                               const VesselModule& module, std::vector<std::string> lines);
// The block as text, each line ended by a newline.
std::string BlockText(const std::vector<std::string>& lines);

}  // namespace sim
