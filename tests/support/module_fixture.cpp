#include "support/module_fixture.h"

#include "support/heap.h"
#include "support/loaded_code.h"

void LoadedModule::SetUp() {
  sim::world().Clear();
  sim::heap_probe() = sim::HeapProbe{};
  std::string error;
  module = sim::VesselModule::Open(VANTREL_MODULE_PATH, error);
  ASSERT_NE(module, nullptr) << error;
  RouteModuleHeapThroughProbe(module->instance());
}

void LoadedModule::TearDown() {
  sim::world().Clear();
  module.reset();
  sim::heap_probe() = sim::HeapProbe{};
}

VesselObject& LoadedModule::AddRing(const std::string& name) {
  VesselObject* ring = sim::world().AddModuleVessel(name, "vantrel", *module);
  EXPECT_NE(ring, nullptr);
  return *ring;
}

VESSEL3& LoadedModule::Callbacks(const VesselObject& vessel) { return sim::Callbacks(vessel); }

vantrel& LoadedModule::Ring(const VesselObject& vessel) {
  return *static_cast<vantrel*>(vessel.interface);
}
