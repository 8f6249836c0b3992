#include "app/simulation.h"

#include "app/addon_layout.h"
#include "app/input_error.h"
#include "app/scenario_file.h"
#include "app/text.h"
#include "core/call_text.h"
#include "core/scenario.h"

namespace sim {

namespace {

// A payload's block: its mass, where it is attached, then the simulator's
// own lines for it.
std::vector<std::string> PayloadBlock(const VesselObject& payload) {
  ScenarioBlock block;
  block.Write("MASS " + ArgumentText(payload.empty_mass));
  if (payload.attached_to != nullptr) {
    block.Write("ATTACHED " + payload.attached_to->owner->name + ":" + payload.attached_to->id);
  }
  WriteOwnState(payload, block);
  return block.lines();
}

void Attach(const std::string& path, World& world, VesselObject& child,
            const PayloadEntry& payload) {
  VesselObject* parent = world.Find(payload.parent);
  if (parent == nullptr) {
    throw InputError(path, payload.attached_line,
                     "unknown vessel \"" + Echoed(payload.parent) + "\"");
  }
  AttachmentObject* point = World::FindAttachment(*parent, payload.point_id);
  if (point == nullptr) {
    throw InputError(
        path, payload.attached_line,
        "unknown port id \"" + Echoed(payload.point_id) + "\" on " + Echoed(payload.parent));
  }
  if (point->child != nullptr) {
    throw InputError(path, payload.attached_line,
                     "port " + Echoed(payload.point_id) + " of " + Echoed(payload.parent) +
                         " already holds " + point->child->name);
  }
  World::Attach(child, *point);
}

}  // namespace

Simulation::Simulation(std::string addon_root) : addon_root_(std::move(addon_root)) {}

Simulation::~Simulation() { world().Clear(); }

const VesselModule& Simulation::ModuleOfClass(const std::string& class_name) {
  const std::string path = ModulePathOfClass(addon_root_, class_name);
  auto& module = modules_[path];
  if (module == nullptr) {
    std::string error;
    module = VesselModule::Open(path, error);
    if (module == nullptr) {
      modules_.erase(path);
      throw InputError("cannot load the module of class \"" + class_name + "\": " + error);
    }
  }
  return *module;
}

VesselObject& Simulation::AddVessel(const std::string& name, const std::string& class_name) {
  VesselObject* vessel = LoadModuleVessel(world(), name, class_name, ModuleOfClass(class_name), {});
  if (vessel == nullptr) throw InputError("the module of class " + class_name + " made no vessel");
  return *vessel;
}

void Simulation::LoadScenario(const std::string& path) {
  const std::vector<ScenarioEntry> entries = ReadScenarioFile(path);
  std::vector<std::pair<VesselObject*, PayloadEntry>> payloads;
  for (const ScenarioEntry& entry : entries) {
    if (world().Find(entry.name) != nullptr) {
      throw InputError(path, entry.line,
                       "a vessel named \"" + Echoed(entry.name) + "\" already exists");
    }
    if (entry.class_name == kPayloadClass) {
      PayloadEntry lines = ReadPayloadEntry(path, entry);
      VesselObject& payload = world().AddVessel(entry.name, entry.class_name);
      payload.empty_mass = lines.mass;
      for (const std::string& line : lines.others) ReadOwnState(payload, line);
      payloads.emplace_back(&payload, std::move(lines));
      continue;
    }
    const VesselModule* module = nullptr;
    try {
      module = &ModuleOfClass(entry.class_name);
    } catch (const InputError& error) {
      throw InputError(path, entry.line, error.what());
    }
    if (LoadModuleVessel(world(), entry.name, entry.class_name, *module, entry.lines) == nullptr) {
      throw InputError(path, entry.line,
                       "the module of class " + entry.class_name + " made no vessel");
    }
  }
  for (const auto& [payload, lines] : payloads) {
    if (!lines.parent.empty()) Attach(path, world(), *payload, lines);
  }
}

std::string Simulation::ScenarioText() const {
  std::vector<ScenarioEntry> entries;
  for (const auto& vessel : world().vessels()) {
    ScenarioEntry entry;
    entry.name = vessel->name;
    entry.class_name = vessel->class_name;
    entry.lines = vessel->interface != nullptr ? SaveVesselState(*vessel) : PayloadBlock(*vessel);
    entries.push_back(std::move(entry));
  }
  return ScenarioFileText(entries);
}

std::vector<VesselObject*> Simulation::ModuleVessels() const {
  std::vector<VesselObject*> vessels;
  for (const auto& vessel : world().vessels()) {
    if (vessel->interface != nullptr) vessels.push_back(vessel.get());
  }
  return vessels;
}

}  // namespace sim
