// vantrel-sim: loads the vessel module into the stand-in simulator, creates a
// ring and shows what its class setup told the simulator.
#include <cstdio>
#include <string>

#include "module_loader.h"
#include "world.h"

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : VANTREL_MODULE_DIR "/vantrel.so";
  std::string error;
  const auto module = sim::VesselModule::Open(path, error);
  if (module == nullptr) {
    std::fprintf(stderr, "vantrel-sim: %s\n", error.c_str());
    return 1;
  }
  std::printf("module %s: date \"%s\", version %d\n", path.c_str(), module->ModuleDate(),
              module->GetModuleVersion());
  VesselObject* ring = sim::world().AddModuleVessel("Ring", "vantrel", *module);
  if (ring == nullptr) {
    std::fprintf(stderr, "vantrel-sim: %s created no vessel\n", path.c_str());
    return 1;
  }
  std::printf("class setup of %s (%s):\n", ring->name.c_str(), ring->class_name.c_str());
  for (const std::string& call : ring->definition_calls) std::printf("  %s\n", call.c_str());
  sim::world().Clear();
  return 0;
}
