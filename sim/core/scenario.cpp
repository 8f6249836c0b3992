// The simulator's scenario services for modules: the reading and writing of a
// vessel's block, and its parser for the lines a module hands back.
#include "core/scenario.h"

#include <string_view>

#include "host/api.h"
#include "host/vessel.h"

namespace sim {

namespace {

constexpr std::string_view kStatusKey = "STATUS ";

}  // namespace

bool ScenarioBlock::NextLine(char*& line) {
  if (next_ == lines_.size()) return false;
  current_ = lines_[next_++];
  line = current_.data();
  return true;
}

void WriteOwnState(const VesselObject& vessel, ScenarioBlock& block) {
  block.Write(std::string(kStatusKey) + vessel.status);
  for (const std::string& line : vessel.kept_scenario_lines) block.Write(line);
}

void ReadOwnState(VesselObject& vessel, const std::string& line) {
  if (line.compare(0, kStatusKey.size(), kStatusKey) == 0) {
    vessel.status = line.substr(kStatusKey.size());
  } else {
    vessel.kept_scenario_lines.push_back(line);
  }
}

std::vector<std::string> SaveVesselState(const VesselObject& vessel) {
  ScenarioBlock block;
  if (vessel.interface != nullptr) {
    Callbacks(vessel).clbkSaveState(&block);
  } else {
    WriteOwnState(vessel, block);
  }
  return block.lines();
}

VesselObject* LoadModuleVessel(World& world, std::string name, std::string class_name,
                               const VesselModule& module, std::vector<std::string> lines) {
  VesselObject* vessel = world.AddModuleVessel(std::move(name), std::move(class_name), module);
  if (vessel == nullptr) return nullptr;
  ScenarioBlock block(std::move(lines));
  Callbacks(*vessel).clbkLoadState(&block, vessel);
  return vessel;
}

std::string BlockText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + '\n';
  return text;
}

}  // namespace sim

bool oapiReadScenario_nextline(void* scenario, char*& line) {
  return static_cast<sim::ScenarioBlock*>(scenario)->NextLine(line);
}

// Key and value become one line, "KEY VALUE".
void oapiWriteScenario_string(void* scenario, char* key, char* value) {
  static_cast<sim::ScenarioBlock*>(scenario)->Write(std::string(key) + ' ' + value);
}

// Records the line with its status pointer and takes it into the vessel's own
// state. The status pointer is only recorded: modules pass on what they got.
// NOLINTNEXTLINE(readability-non-const-parameter): the simulator's signature
void VESSEL::ParseScenarioLineEx(char* line, void* status) const {
  vessel_->parsed_scenario_lines.push_back({line, status});
  sim::ReadOwnState(*vessel_, line);
}
