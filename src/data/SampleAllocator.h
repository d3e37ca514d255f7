#pragma once
// Sample arrays of millions of entries are written once, right after they are allocated, while a file is
// decoded. Touching fresh memory 4 KiB page by page costs more than the decoding itself (most of all on
// virtual machines), so large arrays are placed where the system can back them with huge pages.

#include <cstddef>

// Memory for `bytes` bytes, suitably aligned for any sample type; throws std::bad_alloc.
void* AllocateSampleMemory(std::size_t bytes);
// Frees what AllocateSampleMemory gave for the same number of bytes.
void FreeSampleMemory(void* memory, std::size_t bytes);

template <typename T> struct TSampleAllocator {
    using value_type = T;

    TSampleAllocator() = default;
    template <typename U> TSampleAllocator(const TSampleAllocator<U>&) {}

    T* allocate(std::size_t count) { return static_cast<T*>(AllocateSampleMemory(count * sizeof(T))); }
    void deallocate(T* memory, std::size_t count) { FreeSampleMemory(memory, count * sizeof(T)); }

    friend bool operator==(const TSampleAllocator&, const TSampleAllocator&) { return true; }
};
