#include "core/world.h"

#include <algorithm>

#include "core/module_loader.h"
#include "host/vessel.h"

void VesselObject::RecordDefinition(std::string call) {
  if (in_class_setup) definition_calls.push_back(std::move(call));
}

namespace sim {

VesselObject& World::AddVessel(std::string name, std::string class_name) {
  auto vessel = std::make_unique<VesselObject>();
  vessel->name = std::move(name);
  vessel->class_name = std::move(class_name);
  vessels_.push_back(std::move(vessel));
  return *vessels_.back();
}

VesselObject* World::AddModuleVessel(std::string name, std::string class_name,
                                     const VesselModule& module) {
  VesselObject& vessel = AddVessel(std::move(name), std::move(class_name));
  vessel.module = &module;
  vessel.interface = module.ovcInit(&vessel, 1);
  if (vessel.interface == nullptr) {
    RemoveVessel(vessel);
    return nullptr;
  }
  DefineClass(vessel);
  return &vessel;
}

VesselObject* World::AttachPayload(VesselObject& parent, std::string_view point_id,
                                   std::string name, double mass) {
  AttachmentObject* point = FindAttachment(parent, point_id);
  if (point == nullptr || point->child != nullptr) return nullptr;
  VesselObject& payload = AddVessel(std::move(name), kPayloadClass);
  payload.empty_mass = mass;
  Attach(payload, *point);
  return &payload;
}

AttachmentObject* World::FindAttachment(const VesselObject& vessel, std::string_view id) {
  const auto found = std::find_if(vessel.attachments.begin(), vessel.attachments.end(),
                                  [&](const auto& point) { return point->id == id; });
  return found != vessel.attachments.end() ? found->get() : nullptr;
}

void World::Attach(VesselObject& child, AttachmentObject& point) {
  point.child = &child;
  child.attached_to = &point;
}

void World::DefineClass(VesselObject& vessel) {
  vessel.in_class_setup = true;
  Callbacks(vessel).clbkDefineClass(nullptr);
  vessel.in_class_setup = false;
}

void World::RemoveVessel(VesselObject& vessel) {
  if (vessel.attached_to != nullptr) vessel.attached_to->child = nullptr;
  for (const auto& attachment : vessel.attachments) {
    if (attachment->child != nullptr) attachment->child->attached_to = nullptr;
  }
  for (const auto& other : vessels_) {
    if (other->released_from != nullptr && other->released_from->owner == &vessel) {
      other->released_from = nullptr;
    }
  }
  if (vessel.interface != nullptr) vessel.module->ovcExit(vessel.interface);
  const auto found = std::find_if(vessels_.begin(), vessels_.end(),
                                  [&](const auto& held) { return held.get() == &vessel; });
  vessels_.erase(found);
}

void World::Clear() {
  while (!vessels_.empty()) RemoveVessel(*vessels_.back());
  time = 0.0;
  init_lib_calls.clear();
  induced_drag_call.clear();
  wave_drag_call.clear();
  if (probe != nullptr) probe->WorldCleared();
}

VesselObject* World::Find(std::string_view name) const {
  const auto found = std::find_if(vessels_.begin(), vessels_.end(),
                                  [&](const auto& vessel) { return vessel->name == name; });
  return found != vessels_.end() ? found->get() : nullptr;
}

VESSEL3& Callbacks(const VesselObject& vessel) { return *static_cast<VESSEL3*>(vessel.interface); }

World& world() {
  static World the_world;
  return the_world;
}

}  // namespace sim
