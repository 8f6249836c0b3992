// Construction of the ring.
#include "vessel/vantrel.h"

vantrel::vantrel(VesselHandle vessel, int flight_model) : VESSEL3(vessel, flight_model) {}
