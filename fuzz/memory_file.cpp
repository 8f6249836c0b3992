#include "memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

MemoryFile::MemoryFile()
    : descriptor_(memfd_create("vantrel-fuzz", 0)),
      path_("/proc/self/fd/" + std::to_string(descriptor_)) {
  if (descriptor_ < 0) Fail("memfd_create failed");
}

MemoryFile::~MemoryFile() { close(descriptor_); }

const std::string& MemoryFile::Write(std::string_view text) {
  if (ftruncate(descriptor_, 0) != 0 ||
      pwrite(descriptor_, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) {
    Fail("cannot write the memory file");
  }
  return path_;
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "finding: %s\n", what.c_str());
  std::abort();
}

}  // namespace fuzz
