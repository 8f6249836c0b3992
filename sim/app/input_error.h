// A problem with what the user gave the stand-in: a file, a line of it, or an
// option. Its text names the file and line where there is one.
#pragma once

#include <stdexcept>
#include <string>

namespace sim {

class InputError : public std::runtime_error {
 public:
  explicit InputError(const std::string& message) : std::runtime_error(message) {}
  InputError(const std::string& file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

}  // namespace sim
