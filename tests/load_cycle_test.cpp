// The module's whole life, a thousand times over: load, create, set up,
// destroy, unload. Nothing it or the host took may stay behind; the sanitizer
// run adds the leak check of every allocation, the C library's included.
#include <gtest/gtest.h>

#include <string>

#include "core/module_loader.h"
#include "core/world.h"
#include "support/heap.h"

namespace {

void Cycle() {
  std::string error;
  auto module = sim::VesselModule::Open(VANTREL_MODULE_PATH, error);
  ASSERT_NE(module, nullptr) << error;
  VesselObject* ring = sim::world().AddModuleVessel("Ring", "vantrel", *module);
  ASSERT_NE(ring, nullptr);
  ASSERT_EQ(ring->attachments.size(), 12U);
  sim::world().RemoveVessel(*ring);
  module.reset();
  sim::world().init_lib_calls.clear();
}

std::size_t LiveAllocations() {
  const sim::HeapProbe& probe = sim::heap_probe();
  return probe.allocations - probe.releases;
}

}  // namespace

TEST(LoadCycles, AThousandLeaveAsManyLiveAllocationsAsBefore) {
  sim::world().Clear();
  Cycle();  // what the host keeps for good: room for its records
  const std::size_t live = LiveAllocations();
  for (int cycle = 0; cycle < 1000; ++cycle) {
    Cycle();
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(LiveAllocations(), live);
  EXPECT_TRUE(sim::world().vessels().empty());
}
