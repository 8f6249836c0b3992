// Progress of a long run, for a person watching a terminal: nothing in the
// first second, then one line on the terminal, redrawn a few times a second
// and cleared at the end, so that the run's table stays as it is.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>

namespace sim {

class Progress {
 public:
  // Seconds since some fixed moment.
  using Clock = std::function<double()>;

  // Reports on terminal, a run of total steps that starts now.
  Progress(std::FILE* terminal, std::int64_t total, Clock clock = SteadyClock);
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;
  Progress(Progress&&) = delete;
  Progress& operator=(Progress&&) = delete;
  ~Progress();

  // done steps of the run are over.
  void Update(std::int64_t done);

  static double SteadyClock();

 private:
  std::FILE* terminal_;
  std::int64_t total_;
  Clock clock_;
  double start_;
  double drawn_ = -1.0;  // when the line was last drawn; below 0: never
};

}  // namespace sim
