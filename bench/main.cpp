// vantrel-bench: what the module's hot paths cost against their floors, how a
// step scales with the number of rings, what an instance takes from the heap
// and what a load cycle costs.
//
//   vantrel-bench [Google Benchmark options]   times, then a table of ratios
//   vantrel-bench --instructions [COUNT]       for callgrind: each path COUNT
//                                              times (default 1000) between
//                                              marks; bench/instruction_ratios
//                                              reads them
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "hot_paths.h"
#include "support/heap.h"

namespace {

bench::Rig* rig = nullptr;

void RunPath(benchmark::State& state, void (*path)(bench::Rig&)) {
  for (auto _ : state) path(*rig);
  benchmark::DoNotOptimize(rig->sink);
}

// Rings each stepped once, with five payloads each: the time per ring-step.
void StepRings(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  std::vector<VesselObject*> rings;
  for (int ring = 0; ring < count; ++ring) {
    VesselObject* vessel =
        sim::world().AddModuleVessel("Scaled" + std::to_string(ring), "vantrel", *rig->module);
    for (int port = 1; port <= 5; ++port) {
      sim::world().AttachPayload(*vessel, "PL" + std::to_string(port),
                                 "P" + std::to_string(ring) + "-" + std::to_string(port), 10.0);
    }
    rings.push_back(vessel);
  }
  for (auto _ : state) {
    for (const VesselObject* ring : rings) sim::Callbacks(*ring).clbkStepBegin(1.0, 0.02, 51544.5);
  }
  state.SetItemsProcessed(state.iterations() * count);
  state.counters["per_ring_step"] =
      benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
  for (VesselObject* ring : rings) {
    for (const auto& point : ring->attachments) {
      if (point->child != nullptr) sim::world().RemoveVessel(*point->child);
    }
    sim::world().RemoveVessel(*ring);
  }
}

// The bytes one ovcInit asks of operator new.
void BytesPerInstance(benchmark::State& state) {
  VesselObject& vessel = sim::world().AddVessel("Counted", "vantrel");
  double bytes = 0.0;
  for (auto _ : state) {
    const std::size_t before = sim::heap_probe().allocated_bytes;
    VESSEL* instance = rig->module->ovcInit(&vessel, 1);
    bytes = static_cast<double>(sim::heap_probe().allocated_bytes - before);
    rig->module->ovcExit(instance);
  }
  state.counters["bytes_per_ovcInit"] = bytes;
  sim::world().RemoveVessel(vessel);
}

// dlopen, ovcInit, class setup, ovcExit, dlclose.
void LoadCycle(benchmark::State& state, const std::string& path) {
  for (auto _ : state) {
    std::string error;
    auto module = sim::VesselModule::Open(path, error);
    VesselObject* ring = sim::world().AddModuleVessel("Cycled", "vantrel", *module);
    sim::world().RemoveVessel(*ring);
    module.reset();
  }
  sim::world().init_lib_calls.clear();
}

// Prints what Google Benchmark reports, and keeps each path's time.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.aggregate_name == "median";
      if (run.run_type == Run::RT_Aggregate && !median) continue;
      times[run.benchmark_name()] = run.GetAdjustedCPUTime();
      if (median) medians[run.run_name.str()] = run.GetAdjustedCPUTime();
    }
  }

  // CPU time of a benchmark, its median when repeated.
  double Time(const std::string& name) const {
    const auto median = medians.find(name);
    if (median != medians.end()) return median->second;
    const auto found = times.find(name);
    return found != times.end() ? found->second : 0.0;
  }

 private:
  std::map<std::string, double> times;
  std::map<std::string, double> medians;
};

void PrintRatios(const RatioReporter& reporter) {
  std::printf("\n%-20s %12s %12s %8s\n", "path", "module ns", "floor ns", "ratio");
  for (const bench::HotPath& path : bench::HotPaths()) {
    const double module = reporter.Time(std::string(path.name) + "/module");
    const double floor = reporter.Time(std::string(path.name) + "/floor");
    if (module == 0.0 || floor == 0.0) continue;
    std::printf("%-20s %12.1f %12.1f %8.2f\n", path.name, module, floor, module / floor);
  }
}

// Each path's calls between callgrind marks: the counts between a zeroing and a
// dump are the path's alone.
void CountInstructions(int count) {
  for (const bench::HotPath& path : bench::HotPaths()) {
    for (const auto& [side, function] : {std::pair{"module", path.module}, {"floor", path.floor}}) {
      for (int warm = 0; warm < 10; ++warm) function(*rig);
      const std::string mark = std::string(path.name) + "/" + side;
      CALLGRIND_ZERO_STATS;
      for (int call = 0; call < count; ++call) function(*rig);
      CALLGRIND_DUMP_STATS_AT(mark.c_str());
    }
  }
  std::printf("%d calls of each path; sink %g\n", count, rig->sink);
}

}  // namespace

int main(int argc, char** argv) {
  bench::Rig the_rig(VANTREL_MODULE_PATH);
  rig = &the_rig;
  if (argc >= 2 && std::strcmp(argv[1], "--instructions") == 0) {
    CountInstructions(argc >= 3 ? std::atoi(argv[2]) : 1000);
    return 0;
  }

  for (const bench::HotPath& path : bench::HotPaths()) {
    benchmark::RegisterBenchmark((std::string(path.name) + "/module").c_str(), RunPath,
                                 path.module);
    benchmark::RegisterBenchmark((std::string(path.name) + "/floor").c_str(), RunPath, path.floor);
  }
  benchmark::RegisterBenchmark("step rings", StepRings)->Arg(1)->Arg(10)->Arg(100)->Arg(1000);
  benchmark::RegisterBenchmark("bytes per ovcInit", BytesPerInstance)->Iterations(100);
  benchmark::RegisterBenchmark("load cycle", LoadCycle, std::string(VANTREL_MODULE_PATH));

  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  PrintRatios(reporter);
  return 0;
}
