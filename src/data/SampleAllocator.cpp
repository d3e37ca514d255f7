#include "data/SampleAllocator.h"

#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t HugePageSize = std::size_t{2} << 20;
// Below this, ordinary pages serve as well and the rounding would waste memory.
constexpr std::size_t LargeArrayBytes = 2 * HugePageSize;

std::size_t RoundedToHugePages(std::size_t bytes) {
    return (bytes + HugePageSize - 1) / HugePageSize * HugePageSize;
}

} // namespace

void* AllocateSampleMemory(std::size_t bytes) {
    if (bytes < LargeArrayBytes) {
        return ::operator new(bytes);
    }
    const std::size_t rounded = RoundedToHugePages(bytes);
    void* memory = std::aligned_alloc(HugePageSize, rounded);
    if (!memory) {
        throw std::bad_alloc();
    }
    // Only advice: without huge pages the memory works the same, only slower to touch first.
    ::madvise(memory, rounded, MADV_HUGEPAGE);
    return memory;
}

void FreeSampleMemory(void* memory, std::size_t bytes) {
    if (bytes < LargeArrayBytes) {
        ::operator delete(memory);
    } else {
        std::free(memory);
    }
}
