// The simulator's queries about any object: its mass and its name. A probe,
// where a test set one, is told of each.
#include <algorithm>
#include <cstring>

#include "core/world.h"
#include "host/api.h"

// A generic vessel carries no fuel: its mass is its empty mass.
double oapiGetMass(VesselHandle vessel) {
  if (sim::world().probe != nullptr) sim::world().probe->MassQueried(*vessel);
  return vessel->empty_mass;
}

// Copies as much of the name as fits, always terminated; a buffer of no size
// receives nothing.
void oapiGetObjectName(VesselHandle vessel, char* name, int size) {
  if (sim::world().probe != nullptr) sim::world().probe->NameQueried(*vessel);
  if (name == nullptr || size <= 0) return;
  const std::size_t length = std::min(vessel->name.size(), static_cast<std::size_t>(size) - 1);
  std::memcpy(name, vessel->name.data(), length);
  name[length] = '\0';
}
