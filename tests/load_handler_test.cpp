// The load and unload handler on its own. The operating system's lookup of an
// export is played here: it answers from the table below and counts its calls.
#include "module/load_handler.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "world.h"

namespace {

std::map<std::string, FARPROC> exports;
std::vector<std::string> lookups;
std::vector<HINSTANCE> exit_calls;

void RecordExit(HINSTANCE module) { exit_calls.push_back(module); }
void OtherExit(HINSTANCE /*module*/) {}

HINSTANCE Instance(std::uintptr_t address) { return reinterpret_cast<HINSTANCE>(address); }

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
  EXPECT_TRUE(DllMain(Instance(0x1000), DLL_PROCESS_ATTACH, nullptr));
  EXPECT_EQ(sim::world().init_lib_calls, std::vector<HINSTANCE>{Instance(0x1000)});
  EXPECT_EQ(lookups, (std::vector<std::string>{"ExitModule", "opcDLLExit"}));
  EXPECT_EQ(module_exit_fn, nullptr);
  EXPECT_TRUE(DllMain(Instance(0x1000), DLL_PROCESS_DETACH, nullptr));
  EXPECT_TRUE(exit_calls.empty());
}

TEST_F(LoadHandler, PrefersExitModuleAndCallsItAtUnload) {
  exports["ExitModule"] = reinterpret_cast<FARPROC>(&RecordExit);
  exports["opcDLLExit"] = reinterpret_cast<FARPROC>(&OtherExit);
  DllMain(Instance(0x2000), DLL_PROCESS_ATTACH, nullptr);
  EXPECT_EQ(lookups, std::vector<std::string>{"ExitModule"});
  DllMain(Instance(0x2000), DLL_PROCESS_DETACH, nullptr);
  EXPECT_EQ(exit_calls, std::vector<HINSTANCE>{Instance(0x2000)});
}

TEST_F(LoadHandler, FallsBackToOpcDllExit) {
  exports["opcDLLExit"] = reinterpret_cast<FARPROC>(&RecordExit);
  DllMain(Instance(0x3000), DLL_PROCESS_ATTACH, nullptr);
  DllMain(Instance(0x3000), DLL_PROCESS_DETACH, nullptr);
  EXPECT_EQ(exit_calls, std::vector<HINSTANCE>{Instance(0x3000)});
}

TEST_F(LoadHandler, ThreadNotificationsDoNothingAndSucceed) {
  module_exit_fn = &RecordExit;
  for (unsigned long reason : {DLL_THREAD_ATTACH, DLL_THREAD_DETACH}) {
    EXPECT_TRUE(DllMain(Instance(0x4000), reason, nullptr));
  }
  EXPECT_TRUE(sim::world().init_lib_calls.empty());
  EXPECT_TRUE(lookups.empty());
  EXPECT_TRUE(exit_calls.empty());
  EXPECT_EQ(module_exit_fn, &RecordExit);
}
