// What happens in a run of the stand-in, one event a line:
//
//   step 4 0.5          four time steps of 0.5 s each
//   key J               press and release J
//   key N shift         the same with left Shift held (also rshift, ctrl,
//                       rctrl, alt, ralt; key and modifier names in any case)
//   hud 1280x720        one HUD frame on a 1280 x 720 drawing area
//   hud 1280x720 2      the same in HUD mode 2
//
// Blank lines and text after a semicolon are ignored. A run has at most
// kMaxStepsInRun steps, each of a finite length above 0, and its time must
// stay finite.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// The most steps in one run: a few minutes' work of the stand-in (about
// 10^7 steps a second with one ring, optimised).
inline constexpr std::int64_t kMaxStepsInRun = 1000000000;

struct TimelineEvent {
  enum class Kind { kStep, kKey, kHud };
  Kind kind = Kind::kStep;
  std::string text;  // the event as written, for the run's table

  std::int64_t step_count = 0;  // kStep
  double step_length = 0.0;

  int key_code = 0;  // kKey: the simulator's key code and the keys held
  std::vector<int> held_keys;

  int hud_width = 0;  // kHud
  int hud_height = 0;
  int hud_mode = 1;
};

// The event of one line of text, or none for a blank or comment line. Throws
// InputError naming file and line.
std::optional<TimelineEvent> ParseTimelineLine(const std::string& text, const std::string& file,
                                               int line);

// Every event of a timeline file. Throws InputError.
std::vector<TimelineEvent> ReadTimelineFile(const std::string& path);

// Checks the limits of a whole run: at most kMaxStepsInRun steps, in a
// finite time. Throws InputError.
void CheckRunLength(const std::vector<TimelineEvent>& events);

// The key names and modifier names that key events know, in capitals.
std::vector<std::string_view> KeyNames();
std::vector<std::string_view> ModifierNames();

// A HUD size "WxH" with positive width and height; false when malformed.
bool ParseHudSize(const std::string& text, int& width, int& height);

}  // namespace sim
