// VESSEL: how a module defines its vessel. The simulator records each
// definition call of class setup on the vessel, with its arguments, in order.
#include "core/call_text.h"
#include "core/world.h"
#include "host/vessel.h"

VESSEL::VESSEL(VesselHandle vessel, int flight_model)
    : vessel_(vessel), flight_model_(flight_model) {
  if (vessel_ != nullptr) vessel_->flight_model = flight_model;
}

VesselHandle VESSEL::GetHandle() const { return vessel_; }

void VESSEL::SetSize(double size) const {
  vessel_->RecordDefinition(sim::CallText("SetSize", size));
}

void VESSEL::SetEmptyMass(double mass) const {
  vessel_->empty_mass = mass;
  // Modules call this on every time step too: make the text only to record it.
  if (vessel_->in_class_setup) vessel_->RecordDefinition(sim::CallText("SetEmptyMass", mass));
}

void VESSEL::SetPMI(const VECTOR3& pmi) const {
  vessel_->RecordDefinition(sim::CallText("SetPMI", pmi));
}

void VESSEL::SetCrossSections(const VECTOR3& cross_sections) const {
  vessel_->RecordDefinition(sim::CallText("SetCrossSections", cross_sections));
}

void VESSEL::SetCW(double z_positive, double z_negative, double x, double y) const {
  vessel_->RecordDefinition(sim::CallText("SetCW", z_positive, z_negative, x, y));
}

void VESSEL::SetRotDrag(const VECTOR3& rot_drag) const {
  vessel_->RecordDefinition(sim::CallText("SetRotDrag", rot_drag));
}

void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX* points, unsigned long count) const {
  std::string text = "SetTouchdownPoints([";
  for (unsigned long i = 0; i < count; ++i) {
    text += (i == 0 ? "" : ", ") + sim::ArgumentText(points[i]);
  }
  vessel_->RecordDefinition(text + "], " + std::to_string(count) + ")");
}

void VESSEL::SetCameraOffset(const VECTOR3& offset) const {
  vessel_->RecordDefinition(sim::CallText("SetCameraOffset", offset));
}

unsigned int VESSEL::AddMesh(const char* name, const VECTOR3* offset) const {
  const unsigned int mesh = vessel_->mesh_count++;
  const std::string offset_text = offset != nullptr ? sim::ArgumentText(*offset) : "null";
  vessel_->RecordDefinition("AddMesh(" + sim::ArgumentText(name) + ", " + offset_text +
                            ") = " + std::to_string(mesh));
  return mesh;
}

void VESSEL::SetMeshVisibilityMode(unsigned int mesh, unsigned short mode) const {
  vessel_->RecordDefinition(
      sim::CallText("SetMeshVisibilityMode", mesh, static_cast<unsigned int>(mode)));
}

AttachmentHandle VESSEL::CreateAttachment(bool to_parent, const VECTOR3& position,
                                          const VECTOR3& direction, const VECTOR3& rotation,
                                          const char* id, bool loose) const {
  vessel_->attachments.push_back(std::make_unique<AttachmentObject>(
      AttachmentObject{vessel_, to_parent, position, direction, rotation, id, loose}));
  vessel_->RecordDefinition(
      sim::CallText("CreateAttachment", to_parent, position, direction, rotation, id, loose) +
      " = #" + std::to_string(vessel_->attachments.size() - 1));
  return vessel_->attachments.back().get();
}
