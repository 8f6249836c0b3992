// vantrel-sim's step loop allocates nothing per step, host included: the whole
// process's heap is counted across many steps.
#include <cstdio>
#include <memory>

#include "app/flight.h"
#include "app/simulation.h"
#include "support/heap.h"
#include "support/host_counters.h"
#include "support/module_fixture.h"

// vantrel-sim's flight: a thousand steps take the same allocations as one, so
// the steps themselves take none.
TEST(SteadyStateFlight, VantrelSimStepsAllocateNothing) {
  sim::world().Clear();
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> table(std::tmpfile(), std::fclose);
  ASSERT_NE(table, nullptr);
  {
    sim::Simulation simulation(VANTREL_BUILD_DIR);
    VesselObject& ring = simulation.AddVessel("Ring", "vantrel");
    ASSERT_NE(sim::world().AttachPayload(ring, "PL3", "Alpha", 150.0), nullptr);
    const auto run_table = sim::MakeRunTable(sim::TableFormat::kText, {});
    sim::Flight flight(simulation, table.get(), *run_table);
    const auto allocations_of = [&](int steps) {
      sim::TimelineEvent event;
      event.kind = sim::TimelineEvent::Kind::kStep;
      event.text = "step";
      event.step_count = steps;
      event.step_length = 0.02;
      const std::size_t before = sim::heap_probe().allocations;
      flight.Run(event);
      return sim::heap_probe().allocations - before;
    };
    allocations_of(1);  // whatever happens once only
    const std::size_t one_step = allocations_of(1);
    EXPECT_EQ(allocations_of(1000), one_step);
    EXPECT_EQ(sim::host_counters().Of(ring).attachment_queries, 12 * 1002);
  }
  sim::world().Clear();
}
