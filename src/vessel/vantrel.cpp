// Construction of the ring.
#include "vessel/vantrel.h"

// The fields are left to class setup, which the simulator runs before any
// callback that reads them.
// NOLINTNEXTLINE(cppcoreguidelines-pro-type-member-init,hicpp-member-init)
vantrel::vantrel(VesselHandle vessel, int flight_model) : VESSEL3(vessel, flight_model) {}
