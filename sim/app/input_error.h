// A problem with what the user gave the stand-in: a file, a line of it, a
// module, or an output that cannot be written. Its text names the file and
// line where there is one.
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

// A problem with the command line itself: an unknown option, an option
// without its value or with a malformed one.
class UsageError : public std::runtime_error {
 public:
  explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace sim
