// The exit-function lookup on ELF systems: dlsym on the module's handle also
// searches the libraries the module depends on, so a library the module needs
// could lend it an exit function. (Windows' GetProcAddress searches only the
// module's own export table.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/module_loader.h"
#include "host/types.h"

// Where the test variants' exit functions report (module_boundary_test.cpp).
extern std::vector<HINSTANCE> module_exit_calls;

// The lookup searches the module and the libraries it depends on; only the
// module's own exports count.
TEST(ModuleExitFunction, OneExportedByALibraryTheModuleNeedsIsNotCalled) {
  module_exit_calls.clear();
  std::string error;
  auto variant = sim::VesselModule::Open(VANTREL_WITH_EXIT_DEPENDENCY_PATH, error);
  ASSERT_NE(variant, nullptr) << error;
  variant.reset();
  EXPECT_TRUE(module_exit_calls.empty());
}
