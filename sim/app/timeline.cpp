#include "app/timeline.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string_view>

#include "app/input_error.h"
#include "app/text.h"

namespace sim {

namespace {

// The simulator's key codes follow the PC keyboard's scan codes.
struct KeyName {
  std::string_view name;
  int code;
};
const KeyName kKeys[] = {
    {"ESCAPE", 0x01}, {"1", 0x02}, {"2", 0x03}, {"3", 0x04},     {"4", 0x05},      {"5", 0x06},
    {"6", 0x07},      {"7", 0x08}, {"8", 0x09}, {"9", 0x0A},     {"0", 0x0B},      {"TAB", 0x0F},
    {"Q", 0x10},      {"W", 0x11}, {"E", 0x12}, {"R", 0x13},     {"T", 0x14},      {"Y", 0x15},
    {"U", 0x16},      {"I", 0x17}, {"O", 0x18}, {"P", 0x19},     {"RETURN", 0x1C}, {"A", 0x1E},
    {"S", 0x1F},      {"D", 0x20}, {"F", 0x21}, {"G", 0x22},     {"H", 0x23},      {"J", 0x24},
    {"K", 0x25},      {"L", 0x26}, {"Z", 0x2C}, {"X", 0x2D},     {"C", 0x2E},      {"V", 0x2F},
    {"B", 0x30},      {"N", 0x31}, {"M", 0x32}, {"SPACE", 0x39},
};
const KeyName kModifiers[] = {
    {"SHIFT", 0x2A}, {"RSHIFT", 0x36}, {"CTRL", 0x1D},
    {"RCTRL", 0x9D}, {"ALT", 0x38},    {"RALT", 0xB8},
};

// Key and modifier names are the same in any case.
template <typename Table>
const KeyName* Find(const Table& table, std::string name) {
  for (char& letter : name) {
    letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  }
  for (const KeyName& key : table) {
    if (key.name == name) return &key;
  }
  return nullptr;
}

template <typename Table>
std::vector<std::string_view> Names(const Table& table) {
  std::vector<std::string_view> names;
  for (const KeyName& key : table) names.push_back(key.name);
  return names;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& number) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, number);
  return result.ec == std::errc() && result.ptr == end;
}

class LineReader {
 public:
  LineReader(const std::string& text, const std::string& file, int line)
      : words_(std::string(WithoutComment(text))), file_(file), line_(line) {}

  bool Next(std::string& word) { return static_cast<bool>(words_ >> word); }

  std::string Word(const char* what) {
    std::string word;
    if (!Next(word)) throw Error(std::string("missing ") + what);
    return word;
  }

  template <typename Number>
  Number Read(const char* what) {
    const std::string word = Word(what);
    Number number{};
    if (!ParseNumber(word, number)) throw Error("malformed number \"" + Echoed(word) + "\"");
    return number;
  }

  void End() {
    std::string extra;
    if (Next(extra)) throw Error("unexpected \"" + Echoed(extra) + "\"");
  }

  InputError Error(const std::string& message) const { return {file_, line_, message}; }

 private:
  std::istringstream words_;
  const std::string& file_;
  int line_;
};

}  // namespace

bool ParseHudSize(const std::string& text, int& width, int& height) {
  const size_t x = text.find('x');
  return x != std::string::npos && ParseNumber(std::string_view(text).substr(0, x), width) &&
         ParseNumber(std::string_view(text).substr(x + 1), height) && width > 0 && height > 0;
}

std::optional<TimelineEvent> ParseTimelineLine(const std::string& text, const std::string& file,
                                               int line) {
  LineReader reader(text, file, line);
  std::string verb;
  if (!reader.Next(verb)) return std::nullopt;
  TimelineEvent event;
  if (verb == "step") {
    event.kind = TimelineEvent::Kind::kStep;
    event.step_count = reader.Read<std::int64_t>("step count");
    event.step_length = reader.Read<double>("step length");
    if (event.step_count <= 0 || event.step_count > kMaxStepsInRun) {
      throw reader.Error("the step count must be 1 to " + std::to_string(kMaxStepsInRun));
    }
    if (!(event.step_length > 0.0) || !std::isfinite(event.step_length)) {
      throw reader.Error("the step length must be a finite number of seconds above 0");
    }
    reader.End();
  } else if (verb == "key") {
    event.kind = TimelineEvent::Kind::kKey;
    const std::string name = reader.Word("key name");
    const KeyName* key = Find(kKeys, name);
    if (key == nullptr) throw reader.Error("unknown key name \"" + Echoed(name) + "\"");
    event.key_code = key->code;
    for (std::string held; reader.Next(held);) {
      const KeyName* modifier = Find(kModifiers, held);
      if (modifier == nullptr) throw reader.Error("unknown modifier \"" + Echoed(held) + "\"");
      event.held_keys.push_back(modifier->code);
    }
  } else if (verb == "hud") {
    event.kind = TimelineEvent::Kind::kHud;
    const std::string size = reader.Word("HUD size");
    if (!ParseHudSize(size, event.hud_width, event.hud_height)) {
      throw reader.Error("bad HUD size \"" + Echoed(size) +
                         "\" (expected WIDTHxHEIGHT, both positive)");
    }
    std::string mode;
    if (reader.Next(mode) && !ParseNumber(std::string_view(mode), event.hud_mode)) {
      throw reader.Error("malformed number \"" + Echoed(mode) + "\"");
    }
    reader.End();
  } else {
    throw reader.Error("unknown event \"" + Echoed(verb) + "\" (expected step, key or hud)");
  }
  std::istringstream words{std::string(WithoutComment(text))};
  for (std::string word; words >> word;) event.text += (event.text.empty() ? "" : " ") + word;
  return event;
}

void CheckRunLength(const std::vector<TimelineEvent>& events) {
  std::int64_t steps = 0;
  double time = 0.0;
  for (const TimelineEvent& event : events) {
    if (event.kind != TimelineEvent::Kind::kStep) continue;
    steps += event.step_count;
    time += static_cast<double>(event.step_count) * event.step_length;
    if (steps > kMaxStepsInRun) {
      throw InputError("the timeline's steps add up to more than " +
                       std::to_string(kMaxStepsInRun) + ", the most in a run");
    }
  }
  if (!std::isfinite(time)) throw InputError("the timeline's steps add up to an endless time");
}

std::vector<std::string_view> KeyNames() { return Names(kKeys); }

std::vector<std::string_view> ModifierNames() { return Names(kModifiers); }

std::vector<TimelineEvent> ReadTimelineFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw InputError(path + ": cannot read the timeline file");
  std::vector<TimelineEvent> events;
  std::string text;
  for (int line = 1; std::getline(file, text); ++line) {
    if (auto event = ParseTimelineLine(text, path, line)) events.push_back(std::move(*event));
  }
  if (file.bad()) throw InputError(path + ": cannot read the timeline file");
  return events;
}

}  // namespace sim
