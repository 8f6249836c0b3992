// Replacements of the global allocation functions, forwarding to malloc and
// free, with the probe's controls.
#include "support/heap.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace sim {

HeapProbe& heap_probe() {
  static HeapProbe probe;
  return probe;
}

}  // namespace sim

namespace {

void* Allocate(std::size_t size) noexcept {
  sim::HeapProbe& probe = sim::heap_probe();
  if (probe.fail_allocations) return nullptr;
  void* memory =
      std::malloc(size == 0 ? 1 : size);  // NOLINT(cppcoreguidelines-no-malloc): the heap itself
  if (memory == nullptr) return nullptr;
  if (probe.fill_with_garbage) std::memset(memory, sim::kGarbageByte, size);
  ++probe.allocations;
  probe.allocated_bytes += size;
  probe.last_allocation = memory;
  return memory;
}

void Release(void* memory) noexcept {
  if (memory == nullptr) return;
  ++sim::heap_probe().releases;
  sim::heap_probe().last_release = memory;
  std::free(memory);  // NOLINT(cppcoreguidelines-no-malloc): the heap itself
}

void* AllocateOrThrow(std::size_t size) {
  void* memory = Allocate(size);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

namespace sim {

void* ProbedMalloc(std::size_t size) noexcept { return Allocate(size); }
void ProbedFree(void* memory) noexcept { Release(memory); }

}  // namespace sim

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
  return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t& /*tag*/) noexcept {
  return Allocate(size);
}
void operator delete(void* memory) noexcept { Release(memory); }
void operator delete[](void* memory) noexcept { Release(memory); }
void operator delete(void* memory, std::size_t /*size*/) noexcept { Release(memory); }
void operator delete[](void* memory, std::size_t /*size*/) noexcept { Release(memory); }
void operator delete(void* memory, const std::nothrow_t& /*tag*/) noexcept { Release(memory); }
void operator delete[](void* memory, const std::nothrow_t& /*tag*/) noexcept { Release(memory); }
