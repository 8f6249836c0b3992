#include "app/scenario_file.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string_view>

#include "app/input_error.h"
#include "app/text.h"

namespace sim {

namespace {

bool StartsWith(const std::string& line, std::string_view key) {
  return line.compare(0, key.size(), key) == 0;
}

std::vector<ScenarioEntry> ParseScenario(std::istream& file, const std::string& path) {
  enum class Place {
    kBeforeShips,
    kBetweenVessels,
    kInVessel,
    kAfterShips
  } place = Place::kBeforeShips;
  std::vector<ScenarioEntry> blocks;
  std::string raw;
  int number = 0;
  while (std::getline(file, raw)) {
    ++number;
    const std::string_view line = WithoutComment(raw);
    if (line.empty()) continue;
    switch (place) {
      case Place::kBeforeShips:
        if (line != "BEGIN_SHIPS") throw InputError(path, number, "expected BEGIN_SHIPS");
        place = Place::kBetweenVessels;
        break;
      case Place::kBetweenVessels: {
        if (line == "END_SHIPS") {
          place = Place::kAfterShips;
          break;
        }
        const size_t colon = line.find(':');
        if (colon == 0 || colon == std::string_view::npos || colon + 1 == line.size() ||
            line.find_first_of(" \t") != std::string_view::npos) {
          throw InputError(path, number, "expected a vessel \"Name:Class\" or END_SHIPS");
        }
        ScenarioEntry block;
        block.name = line.substr(0, colon);
        block.class_name = line.substr(colon + 1);
        block.line = number;
        blocks.push_back(std::move(block));
        place = Place::kInVessel;
        break;
      }
      case Place::kInVessel:
        if (line == "END") {
          place = Place::kBetweenVessels;
        } else {
          blocks.back().lines.emplace_back(line);
          blocks.back().line_numbers.push_back(number);
        }
        break;
      case Place::kAfterShips:
        throw InputError(path, number, "text after END_SHIPS");
    }
  }
  if (file.bad()) throw InputError(path + ": cannot read the scenario file");
  if (place == Place::kInVessel) {
    throw InputError(path, blocks.back().line,
                     "vessel \"" + Echoed(blocks.back().name) + "\" has no END");
  }
  if (place != Place::kAfterShips) throw InputError(path + ": no END_SHIPS");
  return blocks;
}

}  // namespace

std::vector<ScenarioEntry> ReadScenarioFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw InputError(path + ": cannot read the scenario file");
  return ParseScenario(file, path);
}

std::vector<ScenarioEntry> ParseScenarioText(const std::string& text, const std::string& path) {
  std::istringstream input(text);
  return ParseScenario(input, path);
}

PayloadEntry ReadPayloadEntry(const std::string& path, const ScenarioEntry& entry) {
  PayloadEntry payload;
  int mass_line = 0;
  for (size_t i = 0; i < entry.lines.size(); ++i) {
    const std::string& line = entry.lines[i];
    const int number = entry.line_numbers[i];
    if (StartsWith(line, "MASS ")) {
      if (mass_line != 0) {
        throw InputError(
            path, number,
            "a second MASS line (the first is line " + std::to_string(mass_line) + ")");
      }
      const std::string value = line.substr(5);
      const char* end = value.data() + value.size();
      const auto result = std::from_chars(value.data(), end, payload.mass);
      if (result.ec != std::errc() || result.ptr != end || !std::isfinite(payload.mass) ||
          payload.mass < 0.0) {
        throw InputError(path, number, "malformed number \"" + Echoed(value) + "\" for MASS");
      }
      mass_line = number;
    } else if (StartsWith(line, "ATTACHED ")) {
      if (payload.attached_line != 0) {
        throw InputError(path, number,
                         "a second ATTACHED line (the first is line " +
                             std::to_string(payload.attached_line) + ")");
      }
      const std::string target = line.substr(9);
      const size_t colon = target.find(':');
      if (colon == 0 || colon == std::string::npos || colon + 1 == target.size()) {
        throw InputError(path, number, "expected ATTACHED <parent>:<port id>");
      }
      payload.parent = target.substr(0, colon);
      payload.point_id = target.substr(colon + 1);
      payload.attached_line = number;
    } else {
      payload.others.push_back(line);
    }
  }
  if (mass_line == 0) {
    throw InputError(path, entry.line, "payload \"" + Echoed(entry.name) + "\" has no MASS");
  }
  return payload;
}

std::string ScenarioFileText(const std::vector<ScenarioEntry>& blocks) {
  std::string text = "BEGIN_SHIPS\n";
  for (const ScenarioEntry& block : blocks) {
    text += block.name + ":" + block.class_name + "\n";
    for (const std::string& line : block.lines) text += "  " + line + "\n";
    text += "END\n";
  }
  return text + "END_SHIPS\n";
}

}  // namespace sim
