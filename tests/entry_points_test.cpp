// The four entry points: creating and destroying instances, the module's date
// and its cached version.
#include <cstring>

#include "support/heap.h"
#include "support/host_counters.h"
#include "support/module_fixture.h"

using EntryPoints = LoadedModule;

TEST_F(EntryPoints, ModuleDateIsTheSameTextEveryTime) {
  const char* first = module->ModuleDate();
  EXPECT_STREQ(first, "Jul 11 2018");
  for (int call = 0; call < 3; ++call) EXPECT_EQ(module->ModuleDate(), first);
  EXPECT_STREQ(first, "Jul 11 2018");
}

TEST_F(EntryPoints, VersionAsksDate2IntOnceWhileItAnswersNonZero) {
  for (int call = 1; call <= 4; ++call) {
    EXPECT_EQ(module->GetModuleVersion(), 160828);
    EXPECT_EQ(sim::host_counters().date_to_int_calls, 1);
  }
}

TEST_F(EntryPoints, VersionAsksDate2IntEveryTimeWhileItAnswersZero) {
  sim::host_counters().date_to_int_answer = 0;
  for (int call = 1; call <= 4; ++call) {
    EXPECT_EQ(module->GetModuleVersion(), 0);
    EXPECT_EQ(sim::host_counters().date_to_int_calls, call);
  }
  sim::host_counters().date_to_int_answer = 170101;
  EXPECT_EQ(module->GetModuleVersion(), 170101);
  EXPECT_EQ(module->GetModuleVersion(), 170101);
  EXPECT_EQ(sim::host_counters().date_to_int_calls, 5);
}

TEST_F(EntryPoints, ExitWithNullDoesNothing) {
  sim::heap_probe().last_release = nullptr;
  module->ovcExit(nullptr);
  EXPECT_EQ(sim::heap_probe().last_release, nullptr);
}

// The simulator holds the instance's VESSEL base, which lies past the
// instance's start (the virtual-table pointer comes first): destruction must
// convert back and release exactly the memory that creation took.
TEST_F(EntryPoints, ExitReleasesTheInstanceThatInitAllocated) {
  VesselObject& vessel = sim::world().AddVessel("Ring", "vantrel");
  VESSEL* ring = module->ovcInit(&vessel, 1);
  ASSERT_NE(ring, nullptr);
  void* instance = sim::heap_probe().last_allocation;
  EXPECT_NE(static_cast<void*>(ring), instance);
  EXPECT_EQ(ring->GetHandle(), &vessel);
  module->ovcExit(ring);
  EXPECT_EQ(sim::heap_probe().last_release, instance);
}

TEST_F(EntryPoints, InitGivesNullWhenNoMemoryCanBeHad) {
  VesselObject& vessel = sim::world().AddVessel("Ring", "vantrel");
  sim::heap_probe().fail_allocations = true;
  VESSEL* ring = module->ovcInit(&vessel, 1);
  sim::heap_probe().fail_allocations = false;
  EXPECT_EQ(ring, nullptr);
}

TEST_F(EntryPoints, InstancesAreIndependent) {
  VesselObject& first = AddRing("First");
  VesselObject& second = AddRing("Second");
  Ring(first).next_payload = 5;
  EXPECT_EQ(Ring(second).next_payload, 0);
  EXPECT_NE(Ring(first).payload_port[0], Ring(second).payload_port[0]);
  sim::world().RemoveVessel(first);
  sim::World::DefineClass(second);
  EXPECT_EQ(second.attachments.size(), 24U);
  EXPECT_EQ(Ring(second).payload_port[0], second.attachments[12].get());
}
