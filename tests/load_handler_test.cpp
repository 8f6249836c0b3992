// The load and unload handler on its own. The operating system's lookup of an
// export is played here: it answers from the table below and counts its calls.
#include "module/load_handler.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/world.h"

namespace {

std::map<std::string, FARPROC> exports;
std::vector<std::string> lookups;
std::vector<HINSTANCE> exit_calls;

void RecordExit(HINSTANCE module) { exit_calls.push_back(module); }
void OtherExit(HINSTANCE /*module*/) {}

// Stand-ins for the instance handles of loaded modules.
char loaded_modules[4];
HINSTANCE Instance(int module) { return reinterpret_cast<HINSTANCE>(&loaded_modules[module]); }

class LoadHandler : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::world().Clear();
    exports.clear();
    lookups.clear();
    exit_calls.clear();
    module_exit_fn = nullptr;
  }
};

}  // namespace

FARPROC GetProcAddress(HINSTANCE /*module*/, const char* name) {
  lookups.emplace_back(name);
  const auto found = exports.find(name);
  return found != exports.end() ? found->second : nullptr;
}

TEST_F(LoadHandler, LoadInitialisesTheLibraryThenLooksForAnExitFunction) {
  EXPECT_TRUE(ModuleLoadHandler(Instance(0), DLL_PROCESS_ATTACH));
  EXPECT_EQ(sim::world().init_lib_calls, std::vector<HINSTANCE>{Instance(0)});
  EXPECT_EQ(lookups, (std::vector<std::string>{"ExitModule", "opcDLLExit"}));
  EXPECT_EQ(module_exit_fn, nullptr);
  EXPECT_TRUE(ModuleLoadHandler(Instance(0), DLL_PROCESS_DETACH));
  EXPECT_TRUE(exit_calls.empty());
}

TEST_F(LoadHandler, PrefersExitModuleAndCallsItAtUnload) {
  exports["ExitModule"] = reinterpret_cast<FARPROC>(&RecordExit);
  exports["opcDLLExit"] = reinterpret_cast<FARPROC>(&OtherExit);
  ModuleLoadHandler(Instance(1), DLL_PROCESS_ATTACH);
  EXPECT_EQ(lookups, std::vector<std::string>{"ExitModule"});
  ModuleLoadHandler(Instance(1), DLL_PROCESS_DETACH);
  EXPECT_EQ(exit_calls, std::vector<HINSTANCE>{Instance(1)});
}

TEST_F(LoadHandler, FallsBackToOpcDllExit) {
  exports["opcDLLExit"] = reinterpret_cast<FARPROC>(&RecordExit);
  ModuleLoadHandler(Instance(2), DLL_PROCESS_ATTACH);
  ModuleLoadHandler(Instance(2), DLL_PROCESS_DETACH);
  EXPECT_EQ(exit_calls, std::vector<HINSTANCE>{Instance(2)});
}

TEST_F(LoadHandler, ThreadNotificationsDoNothingAndSucceed) {
  module_exit_fn = &RecordExit;
  for (unsigned long reason : {DLL_THREAD_ATTACH, DLL_THREAD_DETACH}) {
    EXPECT_TRUE(ModuleLoadHandler(Instance(3), reason));
  }
  EXPECT_TRUE(sim::world().init_lib_calls.empty());
  EXPECT_TRUE(lookups.empty());
  EXPECT_TRUE(exit_calls.empty());
  EXPECT_EQ(module_exit_fn, &RecordExit);
}
