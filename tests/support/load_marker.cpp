// A shared object that leaves a mark when it is loaded: its constructor runs
// at load, before anyone can look for an entry point, and appends a line to
// the file that VANTREL_LOAD_MARKER names. It is no vessel module.
#include <cstdio>
#include <cstdlib>

namespace {

__attribute__((constructor)) void MarkLoad() {
  const char* marker = std::getenv("VANTREL_LOAD_MARKER");
  if (marker == nullptr) return;
  if (FILE* file = std::fopen(marker, "a")) {
    std::fputs("loaded\n", file);
    std::fclose(file);
  }
}

}  // namespace
