// Memory for the buffers that grow to many megabytes and are written once, such as a large
// report: where the system offers it, such memory comes in huge pages, so that filling it costs
// a few page faults instead of one per 4 KiB (each fault is a costly trip into the kernel, far
// more so in a virtual machine). Small requests take the ordinary heap.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace mivalto {

// From this size up a request is large.
inline constexpr std::size_t kLargeMemoryThreshold = std::size_t{2} << 20;

// Throw std::bad_alloc when the memory can't be had.
void* AllocateLargeMemory(std::size_t bytes);
void FreeLargeMemory(void* memory, std::size_t bytes) noexcept;

// One block of AllocateLargeMemory, freed with it.
struct LargeMemoryDeleter {
  std::size_t bytes = 0;
  void operator()(char* memory) const noexcept { FreeLargeMemory(memory, bytes); }
};
using LargeMemoryBlock = std::unique_ptr<char[], LargeMemoryDeleter>;

inline LargeMemoryBlock AllocateLargeBlock(std::size_t bytes) {
  return LargeMemoryBlock(static_cast<char*>(AllocateLargeMemory(bytes)), {bytes});
}

// An allocator for standard containers that hands large requests to AllocateLargeMemory.
template <typename T>
struct LargeMemoryAllocator {
  using value_type = T;

  LargeMemoryAllocator() = default;
  template <typename U>
  LargeMemoryAllocator(const LargeMemoryAllocator<U>&) {}

  T* allocate(std::size_t n) {
    if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
    return static_cast<T*>(AllocateLargeMemory(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { FreeLargeMemory(p, n * sizeof(T)); }

  template <typename U>
  friend bool operator==(const LargeMemoryAllocator&, const LargeMemoryAllocator<U>&) {
    return true;
  }
};

template <typename T>
using LargeVector = std::vector<T, LargeMemoryAllocator<T>>;

// Appends the item. The vector grows eightfold while it is small, then at once to the large
// memory threshold and eightfold again: a large vector is moved a few times, not a dozen (each
// move touches fresh pages), and most of it lies in large memory. Capacity never written to is
// never resident.
template <typename T, typename Item>
void AppendToLargeVector(LargeVector<T>& items, Item&& item) {
  if (items.size() == items.capacity()) {
    constexpr std::size_t kSmall = 4096;
    constexpr std::size_t kLarge = (kLargeMemoryThreshold + sizeof(T) - 1) / sizeof(T);
    const std::size_t grown = std::max<std::size_t>(64, 8 * items.size());
    items.reserve(items.size() < kSmall ? grown : std::max(kLarge, grown));
  }
  items.push_back(std::forward<Item>(item));
}

}  // namespace mivalto
