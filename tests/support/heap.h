// The stand-in's heap: every allocation of the process goes through it, so
// tests can count allocations, see what was freed, make allocation fail and
// hand out memory that holds garbage.
#pragma once

#include <cstddef>

namespace sim {

struct HeapProbe {
  std::size_t allocations = 0;      // operator new calls that succeeded
  std::size_t allocated_bytes = 0;  // the sizes they asked for, added up
  void* last_allocation = nullptr;  // what the last one returned
  std::size_t releases = 0;         // operator delete calls that released memory
  void* last_release = nullptr;     // what the last one released
  bool fail_allocations = false;    // every operator new fails while set
  bool fill_with_garbage = false;   // new memory holds kGarbageByte while set
};

constexpr unsigned char kGarbageByte = 0xA5;

HeapProbe& heap_probe();

// The probe's heap as C's malloc and free, for modules whose operator new does
// not come to this executable (a Windows DLL brings its own).
void* ProbedMalloc(std::size_t size) noexcept;
void ProbedFree(void* memory) noexcept;

}  // namespace sim
