// The stand-in simulator's world: its vessels, their attachments and what the
// vessels' modules told it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host_probe.h"
#include "host/types.h"

class VESSEL;
class VESSEL3;

namespace sim {
class VesselModule;
}  // namespace sim

// One attachment point of a vessel.
struct AttachmentObject {
  VesselObject* owner = nullptr;
  bool to_parent = false;
  VECTOR3 position{};
  VECTOR3 direction{};
  VECTOR3 rotation{};
  std::string id;
  bool loose = false;
  VesselObject* child = nullptr;  // the vessel attached here, if any
  int detach_requests = 0;        // DetachChild calls for this point, empty or not
};

// A line of a scenario block that a module handed back to the simulator's
// parser, with the status pointer that came with it.
struct ParsedScenarioLine {
  std::string line;
  void* status = nullptr;

  bool operator==(const ParsedScenarioLine& other) const {
    return line == other.line && status == other.status;
  }
};

// One airfoil of a vessel, as its module defined it. The simulator calls the
// coefficient function with the context whenever it needs the coefficients.
struct AirfoilObject {
  VesselObject* owner = nullptr;
  AIRFOIL_ORIENTATION orientation = LIFT_VERTICAL;
  VECTOR3 reference{};
  AirfoilCoeffFunc coefficients = nullptr;
  void* context = nullptr;
  double chord = 0.0;
  double area = 0.0;
  double aspect_ratio = 0.0;
};

// One vessel of the simulation. Vessels of a module's class have an interface
// that the module created; generic vessels have none.
struct VesselObject {
  std::string name;
  std::string class_name;
  const sim::VesselModule* module = nullptr;
  VESSEL* interface = nullptr;

  double empty_mass = 0.0;
  unsigned int mesh_count = 0;
  std::vector<std::unique_ptr<AttachmentObject>> attachments;
  std::vector<std::unique_ptr<AirfoilObject>> airfoils;
  AttachmentObject* attached_to = nullptr;  // the parent's attachment holding this vessel

  // Every definition call the vessel's module made during class setup, in
  // order, as text: the call's name and its arguments, doubles in their
  // shortest exact form. Calls outside class setup change the vessel only.
  std::vector<std::string> definition_calls;
  bool in_class_setup = false;

  std::optional<double> release_velocity;           // given when DetachChild released this vessel
  double release_time = 0.0;                        // the world's time at that release
  const AttachmentObject* released_from = nullptr;  // the point it left, while its owner exists

  // The simulator's own scenario state of the vessel: its status line and
  // every other line of its block that it does not know, kept to be written
  // back. parsed_scenario_lines records each line a module passed on.
  std::string status = "Orbiting Earth";
  std::vector<std::string> kept_scenario_lines;
  std::vector<ParsedScenarioLine> parsed_scenario_lines;

  // Adds a definition call to definition_calls while class setup runs.
  void RecordDefinition(std::string call);
};

namespace sim {

// The built-in class of payloads: vessels with a mass and no module.
inline constexpr char kPayloadClass[] = "payload";

class World {
 public:
  // A vessel of a generic class that no module defines.
  VesselObject& AddVessel(std::string name, std::string class_name);
  // A vessel of a module's class, created and set up as the simulator does:
  // ovcInit, then class setup. Null when the module creates no interface.
  VesselObject* AddModuleVessel(std::string name, std::string class_name,
                                const VesselModule& module);
  // A payload of the given mass, attached to the free point with the given
  // id of the parent; null, and no vessel made, when there is none.
  VesselObject* AttachPayload(VesselObject& parent, std::string_view point_id, std::string name,
                              double mass);
  // The vessel's attachment point with the given id, or null.
  static AttachmentObject* FindAttachment(const VesselObject& vessel, std::string_view id);
  // Attaches child to a point that holds nothing.
  static void Attach(VesselObject& child, AttachmentObject& point);
  // Runs a module vessel's class setup, recording its definition calls.
  static void DefineClass(VesselObject& vessel);
  // Removes a vessel; a module vessel's interface goes back through ovcExit.
  void RemoveVessel(VesselObject& vessel);
  // Removes every vessel.
  void Clear();

  VesselObject* Find(std::string_view name) const;
  const std::vector<std::unique_ptr<VesselObject>>& vessels() const { return vessels_; }

  // Seconds since the simulation started; whoever runs the time steps
  // advances it, and releases are stamped with it.
  double time = 0.0;

  // Module-wide calls that tests must see.
  std::vector<HINSTANCE> init_lib_calls;
  // Told of what the module asks while vessels fly; set by tests only.
  HostProbe* probe = nullptr;
  // The latest call of each drag function, as call text.
  std::string induced_drag_call;
  std::string wave_drag_call;

 private:
  std::vector<std::unique_ptr<VesselObject>> vessels_;
};

// The one world that the simulator's exported functions act on.
World& world();

// The callbacks of a module vessel: every one answers those of the newest
// interface.
VESSEL3& Callbacks(const VesselObject& vessel);

}  // namespace sim
