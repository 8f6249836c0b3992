// The ring's empty mass against time, from the trace of a run: a step at
// each change, and each release marked with the payload's name.
#pragma once

#include <string>
#include <vector>

#include "app/ring_record.h"
#include "app/run_trace.h"
#include "app/svg.h"

namespace sim {

// One curve a vessel of the trace; the releases of the rings of the same
// names are marked.
std::string MassPlotSvg(const RunTrace& trace, const std::vector<RingRecord>& rings);

// A vessel's empty mass at each change, as the curve draws it: it holds each
// value until the step that changes it.
PlotPoints MassSteps(const RunTrace& trace, size_t vessel);

}  // namespace sim
