#include "core/module_loader.h"

#include <dlfcn.h>

namespace sim {

namespace {

// The address of an export of the object loaded at instance, or null: a lookup
// through a handle also searches the object's dependencies.
void* FindOwnExport(void* handle, const char* name, HINSTANCE instance) {
  void* symbol = dlsym(handle, name);
  Dl_info info{};
  if (symbol == nullptr || dladdr(symbol, &info) == 0 ||
      info.dli_fbase != static_cast<void*>(instance)) {
    return nullptr;
  }
  return symbol;
}

// The load base of the object behind handle, found through its one export
// that every vessel module has.
HINSTANCE LoadBase(void* handle) {
  void* symbol = dlsym(handle, "ovcInit");
  Dl_info info{};
  if (symbol == nullptr || dladdr(symbol, &info) == 0) return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}

}  // namespace

VesselModule::VesselModule(std::string path, void* handle)
    : path_(std::move(path)), handle_(handle), instance_(LoadBase(handle)) {}

VesselModule::~VesselModule() { dlclose(handle_); }

template <typename Function>
bool VesselModule::Bind(const char* name, Function& function, std::string& error) {
  void* symbol = FindOwnExport(handle_, name, instance_);
  if (symbol == nullptr) {
    error = path_ + ": the module does not export " + name;
    return false;
  }
  function = reinterpret_cast<Function>(symbol);
  return true;
}

std::unique_ptr<VesselModule> VesselModule::Open(const std::string& path, std::string& error) {
  // Bind every host function now, so that a module needing one the host lacks
  // fails here rather than in the middle of a run.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : path + ": cannot open the module";
    return nullptr;
  }
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
