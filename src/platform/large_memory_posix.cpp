#include <sys/mman.h>

#include <cstdlib>

#include "platform/large_memory.h"

namespace mivalto {
namespace {

constexpr std::size_t kHugePageSize = std::size_t{2} << 20;

}  // namespace

void* AllocateLargeMemory(std::size_t bytes) {
  if (bytes < kLargeMemoryThreshold) return ::operator new(bytes);
  // Whole huge pages, aligned on one: the kernel maps huge pages only so.
  const std::size_t rounded = (bytes + kHugePageSize - 1) / kHugePageSize * kHugePageSize;
  if (rounded < bytes) throw std::bad_alloc();
  void* memory = std::aligned_alloc(kHugePageSize, rounded);
  if (memory == nullptr) throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
  // A hint: where huge pages are off, the memory works all the same.
  madvise(memory, rounded, MADV_HUGEPAGE);
#endif
  return memory;
}

void FreeLargeMemory(void* memory, std::size_t bytes) noexcept {
  if (bytes < kLargeMemoryThreshold) {
    ::operator delete(memory);
  } else {
    std::free(memory);
  }
}

}  // namespace mivalto
