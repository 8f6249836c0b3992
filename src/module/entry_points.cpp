// The module's exports: the vessel factory and the module's date and version.
#include <new>

#include "host/api.h"
#include "host/module.h"
#include "vessel/vantrel.h"

namespace {

const char kModuleDate[] = "Jul 11 2018";

// Cache of the version; 0 means not yet known.
int module_version = 0;

}  // namespace

VESSEL* ovcInit(VesselHandle vessel, int flight_model) {
  return new (std::nothrow) vantrel(vessel, flight_model);
}

void ovcExit(VESSEL* vessel) {
  if (vessel == nullptr) return;
  // The interface is the instance's VESSEL base, which does not start at the
  // instance's own address: convert back, do not reinterpret.
  delete static_cast<vantrel*>(vessel);
}

const char* ModuleDate() { return kModuleDate; }

int GetModuleVersion() {
  if (module_version == 0) {
    char version_date[] = "Aug 28 2016";
    module_version = Date2Int(version_date);
  }
  return module_version;
}
