#include "app/progress.h"

#include <chrono>
#include <utility>

namespace sim {

namespace {

const double kQuietSeconds = 1.0;
const double kRedrawSeconds = 0.25;

}  // namespace

Progress::Progress(std::FILE* terminal, std::int64_t total, Clock clock)
    : terminal_(terminal), total_(total), clock_(std::move(clock)), start_(clock_()) {}

Progress::~Progress() {
  if (drawn_ >= 0.0) std::fputs("\r\x1b[K", terminal_);
}

void Progress::Update(std::int64_t done) {
  const double now = clock_();
  if (now - start_ < kQuietSeconds || (drawn_ >= 0.0 && now - drawn_ < kRedrawSeconds)) return;
  drawn_ = now;
  std::fprintf(terminal_, "\rvantrel-sim: step %lld of %lld (%d%%)", static_cast<long long>(done),
               static_cast<long long>(total_),
               total_ > 0 ? static_cast<int>(100 * done / total_) : 100);
  std::fflush(terminal_);
}

double Progress::SteadyClock() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

}  // namespace sim
