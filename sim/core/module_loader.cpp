#include "core/module_loader.h"

#include "core/module_library.h"

namespace sim {

VesselModule::VesselModule(std::string path, void* handle)
    : path_(std::move(path)), handle_(handle), instance_(library::Instance(handle)) {}

VesselModule::~VesselModule() { library::Close(handle_); }

template <typename Function>
bool VesselModule::Bind(const char* name, Function& function, std::string& error) {
  void* symbol = library::FindOwnExport(handle_, name);
  if (symbol == nullptr) {
    error = path_ + ": the module does not export " + name;
    return false;
  }
  function = reinterpret_cast<Function>(symbol);
  return true;
}

std::unique_ptr<VesselModule> VesselModule::Open(const std::string& path, std::string& error) {
  void* handle = library::Open(path, error);
  if (handle == nullptr) return nullptr;
  std::unique_ptr<VesselModule> module(new VesselModule(path, handle));
  if (!module->Bind("ovcInit", module->ovcInit, error) ||
      !module->Bind("ovcExit", module->ovcExit, error) ||
      !module->Bind("ModuleDate", module->ModuleDate, error) ||
      !module->Bind("GetModuleVersion", module->GetModuleVersion, error)) {
    return nullptr;
  }
  return module;
}

}  // namespace sim
