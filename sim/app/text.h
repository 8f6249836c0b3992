// Reading the stand-in's text files: configuration, scenario and timeline
// lines share one comment mark and one idea of blank space.
#pragma once

#include <string_view>

namespace sim {

// The text without the blanks, tabs and carriage returns around it.
inline std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// A line without its comment (from a semicolon on), trimmed.
inline std::string_view WithoutComment(std::string_view line) {
  return Trimmed(line.substr(0, line.find(';')));
}

}  // namespace sim
