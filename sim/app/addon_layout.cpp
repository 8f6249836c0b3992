#include "app/addon_layout.h"

#include <cctype>
#include <fstream>
#include <string_view>

#include "app/input_error.h"
#include "app/text.h"

namespace sim {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string ModulePathOfClass(const std::string& root, const std::string& class_name) {
  const std::string config_path = root + "/Config/Vessels/" + class_name + ".cfg";
  std::ifstream config(config_path);
  if (!config) {
    throw InputError("unknown vessel class \"" + class_name + "\": cannot read " + config_path);
  }
  std::string line;
  for (int number = 1; std::getline(config, line); ++number) {
    const std::string_view text = WithoutComment(line);
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos ||
        !SameLetters(Trimmed(text.substr(0, equals)), "Module")) {
      continue;
    }
    const std::string_view module = Trimmed(text.substr(equals + 1));
    if (module.empty()) throw InputError(config_path, number, "the Module line names no module");
    return root + "/Modules/" + std::string(module) + VANTREL_MODULE_SUFFIX;
  }
  throw InputError(config_path + ": no \"Module = ...\" line names the module of class \"" +
                   class_name + "\"");
}

}  // namespace sim
