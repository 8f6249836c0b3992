// vantrel-sim's scenario reader on any text, loading the vessels it names with
// the real module: bad input only ever raises the input error, and a scenario
// saved, loaded and saved again gives the same text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/input_error.h"
#include "app/simulation.h"
#include "core/world.h"
#include "memory_file.h"

namespace {

// The scenario's text after loading it into an empty world.
std::string Loaded(sim::Simulation& simulation, const std::string& path) {
  sim::world().Clear();
  simulation.LoadScenario(path);
  return simulation.ScenarioText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  static sim::Simulation simulation(VANTREL_ADDON_ROOT);
  std::string saved;
  try {
    saved = Loaded(simulation, file.Write({reinterpret_cast<const char*>(data), size}));
  } catch (const sim::InputError&) {
    sim::world().Clear();
    return 0;
  }
  std::string saved_again;
  try {
    saved_again = Loaded(simulation, file.Write(saved));
  } catch (const sim::InputError& error) {
    fuzz::Fail("a saved scenario does not load: " + std::string(error.what()) + "\n" + saved);
  }
  sim::world().Clear();
  if (saved_again != saved) fuzz::Fail("saved again:\n" + saved_again + "first saved:\n" + saved);
  return 0;
}
