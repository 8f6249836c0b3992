// How the module meets the system's loader: the load and unload
// notifications, thread notifications, and the exit functions.
#include <cstddef>
#include <thread>
#include <vector>

#include "support/loaded_code.h"
#include "support/module_fixture.h"

// Exit functions of the host executable: the module's lookup must not find
// these, since they are not among its own exports.
int host_exit_function_calls = 0;
extern "C" OAPIFUNC void ExitModule(HINSTANCE /*module*/) { ++host_exit_function_calls; }
extern "C" OAPIFUNC void opcDLLExit(HINSTANCE /*module*/) { ++host_exit_function_calls; }

// Where the test variants' exit functions report.
std::vector<HINSTANCE> module_exit_calls;
extern "C" OAPIFUNC void RecordModuleExit(HINSTANCE module) { module_exit_calls.push_back(module); }

using ModuleLoading = LoadedModule;

TEST_F(ModuleLoading, LoadCallsInitLibOnceWithTheModulesBaseAddress) {
  const void* base = ModuleBaseOf(reinterpret_cast<const void*>(module->ovcInit));
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(sim::world().init_lib_calls, std::vector<HINSTANCE>{module->instance()});
  EXPECT_EQ(static_cast<const void*>(module->instance()), base);
}

TEST_F(ModuleLoading, UnloadIgnoresExitFunctionsOfTheHostExecutable) {
  host_exit_function_calls = 0;
  module.reset();
  EXPECT_EQ(host_exit_function_calls, 0);
}

TEST(ModuleExitFunction, ExportedByTheModuleItIsCalledAtUnloadWithItsInstance) {
  for (const char* path : {VANTREL_EXIT_MODULE_PATH, VANTREL_DLL_EXIT_PATH}) {
    SCOPED_TRACE(path);
    module_exit_calls.clear();
    host_exit_function_calls = 0;
    std::string error;
    auto variant = sim::VesselModule::Open(path, error);
    ASSERT_NE(variant, nullptr) << error;
    HINSTANCE instance = variant->instance();
    EXPECT_TRUE(module_exit_calls.empty());
    variant.reset();
    EXPECT_EQ(module_exit_calls, std::vector<HINSTANCE>{instance});
    EXPECT_EQ(host_exit_function_calls, 0);
  }
}

// A thread that starts and ends while the module is loaded brings the loader's
// thread notifications (on Windows every loaded DLL gets them): they must
// neither initialise the library again nor count as an unload, which would
// call the exit function early.
TEST(ModuleThreads, ThreadNotificationsChangeNothing) {
  sim::world().Clear();
  module_exit_calls.clear();
  std::string error;
  auto variant = sim::VesselModule::Open(VANTREL_EXIT_MODULE_PATH, error);
  ASSERT_NE(variant, nullptr) << error;
  HINSTANCE instance = variant->instance();

  bool thread_ran = false;
  std::thread([&thread_ran] { thread_ran = true; }).join();
  EXPECT_TRUE(thread_ran);
  EXPECT_EQ(sim::world().init_lib_calls, std::vector<HINSTANCE>{instance});
  EXPECT_TRUE(module_exit_calls.empty());

  variant.reset();
  EXPECT_EQ(module_exit_calls, std::vector<HINSTANCE>{instance});
}

// Where the static of the probing variant reports: how many InitLib calls the
// host had seen when the static got its value.
std::vector<std::size_t> init_lib_calls_at_static_initialisation;
extern "C" OAPIFUNC void RecordStaticInitialisation() {
  init_lib_calls_at_static_initialisation.push_back(sim::world().init_lib_calls.size());
}

TEST(ModuleLoadOrder, TheLoadHandlerRunsAfterEveryStaticHasItsValue) {
  sim::world().Clear();
  init_lib_calls_at_static_initialisation.clear();
  std::string error;
  auto variant = sim::VesselModule::Open(VANTREL_STATIC_PROBE_PATH, error);
  ASSERT_NE(variant, nullptr) << error;
  EXPECT_EQ(init_lib_calls_at_static_initialisation, std::vector<std::size_t>{0});
  EXPECT_EQ(sim::world().init_lib_calls, std::vector<HINSTANCE>{variant->instance()});
  variant.reset();
  sim::world().Clear();
}
