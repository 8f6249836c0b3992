// VESSEL: what is attached to a vessel's attachment points, and releasing it.
// Each query is counted on the asking vessel; nothing here allocates, so a
// module may ask on every time step.
#include "core/world.h"
#include "host/vessel.h"

VesselHandle VESSEL::GetAttachmentStatus(AttachmentHandle attachment) const {
  ++vessel_->attachment_queries;
  vessel_->latest_attachment_query = sim::world().NextCallNumber();
  return attachment != nullptr ? attachment->child : nullptr;
}

// Releases the vessel on the point, which keeps the release velocity; false
// when the point holds none.
bool VESSEL::DetachChild(AttachmentHandle attachment, double velocity) const {
  if (attachment == nullptr) return false;
  ++attachment->detach_requests;
  VesselObject* const child = attachment->child;
  if (child == nullptr) return false;
  attachment->child = nullptr;
  child->attached_to = nullptr;
  child->release_velocity = velocity;
  return true;
}
