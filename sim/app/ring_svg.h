// A picture of each ring as the host recorded it: its ports tier by tier,
// seen along the ring's axis, each drawn in its own outward direction with
// what it holds, the selected port marked and the released payloads shown
// where they left.
#pragma once

#include <string>
#include <vector>

#include "app/ring_record.h"

namespace sim {

std::string RingSvg(const std::vector<RingRecord>& rings);

}  // namespace sim
