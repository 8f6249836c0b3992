// A test that hosts the real vantrel.so: the module is opened before each test
// and closed after it, so every test sees a freshly loaded module.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/module_loader.h"
#include "core/world.h"
#include "host/vessel.h"
#include "vessel/vantrel.h"

class LoadedModule : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A ring created and set up as the simulator does it.
  VesselObject& AddRing(const std::string& name = "Ring");

  // The simulator reaches an instance through its base classes only.
  static VESSEL3& Callbacks(const VesselObject& vessel);
  // The ring's own fields, read through the class layout.
  static vantrel& Ring(const VesselObject& vessel);

  std::unique_ptr<sim::VesselModule> module;
};
