// The simulator's queries about any object: its mass and its name. Each is
// counted on the vessel asked about, without allocating.
#include <algorithm>
#include <cstring>

#include "core/world.h"
#include "host/api.h"

// A generic vessel carries no fuel: its mass is its empty mass.
double oapiGetMass(VesselHandle vessel) {
  ++vessel->mass_queries;
  return vessel->empty_mass;
}

// Copies as much of the name as fits, always terminated; a buffer of no size
// receives nothing.
void oapiGetObjectName(VesselHandle vessel, char* name, int size) {
  ++vessel->name_queries;
  vessel->latest_name_query = sim::world().NextCallNumber();
  if (name == nullptr || size <= 0) return;
  const std::size_t length = std::min(vessel->name.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(name, vessel->name.data(), length);
  name[length] = '\0';
}
