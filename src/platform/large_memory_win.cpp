#include "platform/large_memory.h"

namespace mivalto {

// Huge pages on Windows need a privilege that users don't hold: the ordinary heap it is.
void* AllocateLargeMemory(std::size_t bytes) { return ::operator new(bytes); }

void FreeLargeMemory(void* memory, std::size_t) noexcept { ::operator delete(memory); }

}  // namespace mivalto
