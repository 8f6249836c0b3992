// Reading the stand-in's text files: configuration, scenario and timeline
// lines share one comment mark and one idea of blank space.
#pragma once

#include <cstdio>
#include <string>
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

// How many characters of a token of the user's an error message shows.
inline constexpr size_t kEchoLength = 40;

// A token of the user's as a message shows it: bytes other than printable
// ASCII as \xHH, cut after kEchoLength characters with "..." after it.
inline std::string Echoed(std::string_view token) {
  std::string echo;
  for (const char c : token) {
    if (echo.size() >= kEchoLength) return echo + "...";
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      echo += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      echo += escaped;
    }
  }
  return echo;
}

}  // namespace sim
