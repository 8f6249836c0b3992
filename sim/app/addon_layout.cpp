#include "app/addon_layout.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>
#include <string_view>

#include "app/input_error.h"
#include "app/text.h"

namespace sim {

namespace {

const char kPlainName[] = "letters, digits, _ and -, with / between sub-folders";

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

bool IsFolder(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool IsPlainName(std::string_view name) {
  size_t part_start = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name[i] == '/') {
      if (i == part_start) return false;
      part_start = i + 1;
    } else if (std::isalnum(static_cast<unsigned char>(name[i])) == 0 && name[i] != '_' &&
               name[i] != '-') {
      return false;
    }
  }
  return true;
}

std::string AddonRootOfProgram() {
  std::string program(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", program.data(), program.size());
  if (length <= 0 || static_cast<size_t>(length) >= program.size()) return {};
  program.resize(static_cast<size_t>(length));
  std::string folder = program.substr(0, program.rfind('/'));
  if (IsFolder(folder + "/Modules")) return folder;
  const size_t up = folder.rfind('/');
  return up == std::string::npos || up == 0 ? "/" : folder.substr(0, up);
}

std::string ModulePathOfClass(const std::string& root, const std::string& class_name) {
  if (!IsPlainName(class_name)) {
    throw InputError("bad vessel class name \"" + Echoed(class_name) + "\" (" + kPlainName + ")");
  }
  const std::string config_path = root + "/Config/Vessels/" + class_name + ".cfg";
  std::ifstream config(config_path);
  if (!config) {
    throw InputError("unknown vessel class \"" + Echoed(class_name) + "\": cannot read " +
                     config_path);
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
    if (!IsPlainName(module)) {
      throw InputError(config_path, number,
                       "bad module name \"" + Echoed(module) + "\" (" + kPlainName + ")");
    }
    return root + "/Modules/" + std::string(module) + ".so";
  }
  throw InputError(config_path + ": no \"Module = ...\" line names the module of class \"" +
                   Echoed(class_name) + "\"");
}

}  // namespace sim
