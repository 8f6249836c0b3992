#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/input_error.h"
#include "app/output_file.h"

namespace sim {

void WriteFileWhole(const std::string& path, const std::string& text) {
  std::vector<char> temporary(path.begin(), path.end());
  const std::string suffix = ".partial-XXXXXX";
  temporary.insert(temporary.end(), suffix.begin(), suffix.end());
  temporary.push_back('\0');
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) throw InputError("cannot write " + path + ": " + std::strerror(errno));
  // The temporary file is private; the finished one gets the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor, 0666 & ~mask);
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(descriptor, text.data() + written, text.size() - written);
    if (count <= 0) break;
    written += static_cast<size_t>(count);
  }
  const int error = written == text.size() ? 0 : errno;
  if (close(descriptor) != 0 || error != 0 || std::rename(temporary.data(), path.c_str()) != 0) {
    const std::string reason = std::strerror(error != 0 ? error : errno);
    std::remove(temporary.data());
    throw InputError("cannot write " + path + ": " + reason);
  }
}

}  // namespace sim
