// A watcher of the simulator's side, for tests: the core tells it of the
// queries a module makes while vessels fly, and a probe may answer Date2Int
// in the date's place. Programs set none, and then the core records nothing.
#pragma once

#include <optional>

struct VesselObject;

namespace sim {

class HostProbe {
 public:
  HostProbe(const HostProbe&) = delete;
  HostProbe& operator=(const HostProbe&) = delete;
  HostProbe(HostProbe&&) = delete;
  HostProbe& operator=(HostProbe&&) = delete;

  // GetAttachmentStatus was called through the vessel's interface.
  virtual void AttachmentQueried(const VesselObject& vessel) = 0;
  // oapiGetMass was called for the vessel.
  virtual void MassQueried(const VesselObject& vessel) = 0;
  // oapiGetObjectName was called for the vessel.
  virtual void NameQueried(const VesselObject& vessel) = 0;
  // The default Sketchpad HUD callback ran for the vessel.
  virtual void DefaultHudDrawn(const VesselObject& vessel) = 0;
  // Date2Int was called; an answer given here replaces the date's.
  virtual std::optional<int> DateConverted() = 0;
  // The world was cleared: every vessel is gone.
  virtual void WorldCleared() = 0;

 protected:
  HostProbe() = default;
  ~HostProbe() = default;
};

}  // namespace sim
