// A file in memory with a path, for readers that take a path: each input is
// written over the last one, without touching the disk.
#pragma once

#include <string>
#include <string_view>

namespace fuzz {

class MemoryFile {
 public:
  MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  MemoryFile(MemoryFile&&) = delete;
  MemoryFile& operator=(MemoryFile&&) = delete;
  ~MemoryFile();

  // Replaces the file's content; gives its path.
  const std::string& Write(std::string_view text);

 private:
  int descriptor_;
  std::string path_;
};

// Stops the run as a finding, saying what did not hold.
[[noreturn]] void Fail(const std::string& what);

}  // namespace fuzz
