// Loading a vessel module: open the shared object, find its four entry points,
// close it again.
#pragma once

#include <memory>
#include <string>

#include "host/module.h"

namespace sim {

class VesselModule {
 public:
  // Opens the module at path; on failure gives null and says why in error.
  static std::unique_ptr<VesselModule> Open(const std::string& path, std::string& error);

  VesselModule(const VesselModule&) = delete;
  VesselModule& operator=(const VesselModule&) = delete;
  VesselModule(VesselModule&&) = delete;
  VesselModule& operator=(VesselModule&&) = delete;
  ~VesselModule();

  // The module's instance handle: its load base address.
  HINSTANCE instance() const { return instance_; }
  const std::string& path() const { return path_; }

  OvcInitFunction ovcInit = nullptr;
  OvcExitFunction ovcExit = nullptr;
  ModuleDateFunction ModuleDate = nullptr;
  GetModuleVersionFunction GetModuleVersion = nullptr;

 private:
  VesselModule(std::string path, void* handle);
  template <typename Function>
  bool Bind(const char* name, Function& function, std::string& error);

  std::string path_;
  void* handle_;
  HINSTANCE instance_ = nullptr;
};

}  // namespace sim
