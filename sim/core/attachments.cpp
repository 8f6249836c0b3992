// VESSEL: what is attached to a vessel's attachment points, and releasing it.
// Nothing here allocates, so a module may ask on every time step; a probe,
// where a test set one, is told of each query.
#include "core/world.h"
#include "host/vessel.h"

VesselHandle VESSEL::GetAttachmentStatus(AttachmentHandle attachment) const {
  if (sim::world().probe != nullptr) sim::world().probe->AttachmentQueried(*vessel_);
  return attachment != nullptr ? attachment->child : nullptr;
}

// Releases the vessel on the point, which keeps the release velocity, the
// time and the point it left; false when the point holds none.
bool VESSEL::DetachChild(AttachmentHandle attachment, double velocity) const {
  if (attachment == nullptr) return false;
  ++attachment->detach_requests;
  VesselObject* const child = attachment->child;
  if (child == nullptr) return false;
  attachment->child = nullptr;
  child->attached_to = nullptr;
  child->release_velocity = velocity;
  child->release_time = sim::world().time;
  child->released_from = attachment;
  return true;
}
