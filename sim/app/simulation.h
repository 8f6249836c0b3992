// A simulation session of the stand-in: the vessels of a scenario in the
// world, the modules that define their classes, and the scenario written back.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/module_loader.h"
#include "core/world.h"

namespace sim {

class Simulation {
 public:
  // Modules are found under the add-on root (Modules/, Config/Vessels/).
  explicit Simulation(std::string addon_root);
  Simulation(const Simulation&) = delete;
  Simulation& operator=(const Simulation&) = delete;
  Simulation(Simulation&&) = delete;
  Simulation& operator=(Simulation&&) = delete;
  // Removes every vessel before the modules close.
  ~Simulation();

  // Creates the vessels of a scenario file; throws InputError naming the file
  // and line of what is wrong.
  void LoadScenario(const std::string& path);
  // Creates one vessel of a module's class, set up with no scenario lines.
  VesselObject& AddVessel(const std::string& name, const std::string& class_name);

  // The scenario file text of the world's vessels as they are now.
  std::string ScenarioText() const;

  // The vessels whose classes a module defines, in the world's order.
  std::vector<VesselObject*> ModuleVessels() const;

 private:
  const VesselModule& ModuleOfClass(const std::string& class_name);

  std::string addon_root_;
  std::map<std::string, std::unique_ptr<VesselModule>> modules_;  // by path
};

}  // namespace sim
