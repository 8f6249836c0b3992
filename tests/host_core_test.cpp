// The host stand-in's own services: date conversion, call records, the loader.
#include <gtest/gtest.h>

#include <string>

#include "core/call_text.h"
#include "core/module_loader.h"
#include "core/world.h"
#include "host/api.h"

TEST(Date2Int, TurnsBuildDatesIntoYymmdd) {
  const struct {
    const char* date;
    int value;
  } cases[] = {
      {"Aug 28 2016", 160828}, {"Jul 11 2018", 180711}, {"Jan  1 2000", 101},
      {"Dec 31 1999", 991231}, {"Aug 28 2016 ", 0},     {"Foo 28 2016", 0},
      {"Aug 2016", 0},         {"Aug 32 2016", 0},      {"", 0},
      {"aug 28 2016", 0},      {"Aug28 2016", 0},       {"Aug 28 16", 0},
  };
  for (const auto& example : cases) {
    std::string date = example.date;
    EXPECT_EQ(Date2Int(date.data()), example.value) << '"' << example.date << '"';
  }
}

TEST(CallText, WritesDoublesInTheirShortestExactForm) {
  EXPECT_EQ(sim::CallText("F", 0.987, 1e6, -0.0, 0.1 + 0.2),
            "F(0.987, 1e+06, -0, 0.30000000000000004)");
  EXPECT_EQ(
      sim::CallText("G", VECTOR3{1, -2, 0.75}, true, "PL1", static_cast<const char*>(nullptr)),
      "G((1, -2, 0.75), true, \"PL1\", null)");
}

TEST(VesselModuleLoader, SaysWhyAModuleCannotBeUsed) {
  std::string error;
  const std::string missing = "/nonexistent/vantrel" VANTREL_MODULE_SUFFIX;
  EXPECT_EQ(sim::VesselModule::Open(missing, error), nullptr);
  EXPECT_NE(error.find(missing), std::string::npos) << error;

  error.clear();
  EXPECT_EQ(sim::VesselModule::Open(VANTREL_SYSTEM_LIBRARY, error), nullptr);
  EXPECT_EQ(error, VANTREL_SYSTEM_LIBRARY ": the module does not export ovcInit");
}
