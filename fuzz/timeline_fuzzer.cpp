// vantrel-sim's timeline reader on any text: bad input only ever raises the
// input error, and every event read back from its own text is the same event.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/input_error.h"
#include "app/timeline.h"
#include "memory_file.h"

namespace {

bool SameEvent(const sim::TimelineEvent& a, const sim::TimelineEvent& b) {
  return a.kind == b.kind && a.text == b.text && a.step_count == b.step_count &&
         a.step_length == b.step_length && a.key_code == b.key_code && a.held_keys == b.held_keys &&
         a.hud_width == b.hud_width && a.hud_height == b.hud_height && a.hud_mode == b.hud_mode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemoryFile file;
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<sim::TimelineEvent> events;
  try {
    events = sim::ReadTimelineFile(file.Write(text));
  } catch (const sim::InputError&) {
    return 0;
  }
  for (const sim::TimelineEvent& event : events) {
    std::optional<sim::TimelineEvent> again;
    try {
      again = sim::ParseTimelineLine(event.text, "again", 1);
    } catch (const sim::InputError& error) {
      fuzz::Fail("the event \"" + event.text + "\" does not read back: " + error.what());
    }
    if (!again || !SameEvent(*again, event)) {
      fuzz::Fail("the event \"" + event.text + "\" reads back as another");
    }
  }
  return 0;
}
