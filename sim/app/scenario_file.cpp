#include "app/scenario_file.h"

#include <fstream>
#include <string_view>

#include "app/input_error.h"
#include "app/text.h"

namespace sim {

std::vector<ScenarioEntry> ReadScenarioFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw InputError(path + ": cannot read the scenario file");
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
    // Lines reach modules as C strings: a NUL would cut them short.
    if (raw.find('\0') != std::string::npos) throw InputError(path, number, "a NUL character");
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
    throw InputError(path, blocks.back().line, "vessel \"" + blocks.back().name + "\" has no END");
  }
  if (place != Place::kAfterShips) throw InputError(path + ": no END_SHIPS");
  return blocks;
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
