// Counts of what the module asks the simulator, per vessel and module-wide,
// kept without allocating so that per-step callbacks can be measured. The
// counters watch the world from the start of every test program that links
// them; clearing the world sets them back to zero.
#pragma once

#include <array>
#include <optional>

#include "core/host_probe.h"

namespace sim {

struct VesselCounts {
  int attachment_queries = 0;  // GetAttachmentStatus calls through the vessel's interface
  int mass_queries = 0;        // oapiGetMass calls for the vessel
  int name_queries = 0;        // oapiGetObjectName calls for the vessel
  int default_hud_draws = 0;   // calls of the default Sketchpad HUD callback
};

class HostCounters final : public HostProbe {
 public:
  HostCounters() = default;

  // The vessel's counts; zero for a vessel that was asked nothing.
  VesselCounts Of(const VesselObject& vessel) const;

  int date_to_int_calls = 0;
  std::optional<int> date_to_int_answer;  // when set, Date2Int answers this

  void AttachmentQueried(const VesselObject& vessel) override;
  void MassQueried(const VesselObject& vessel) override;
  void NameQueried(const VesselObject& vessel) override;
  void DefaultHudDrawn(const VesselObject& vessel) override;
  std::optional<int> DateConverted() override;
  void WorldCleared() override;

 private:
  static constexpr int kVessels = 64;
  struct Entry {
    const VesselObject* vessel = nullptr;
    VesselCounts counts;
  };
  VesselCounts& Find(const VesselObject& vessel);

  std::array<Entry, kVessels> entries_{};
};

HostCounters& host_counters();

}  // namespace sim
