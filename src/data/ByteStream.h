#pragma once
// A read position over bytes held in memory. ADF images are decoded from memory: a whole file, or a
// range inside a bigger image such as a workspace file, which goes on being read after it.

#include <cstddef>
#include <cstdint>
#include <span>

struct TByteStream {
    std::span<const std::uint8_t> Bytes;
    std::size_t Position = 0;

    // The bytes from the position to the end (none when the position lies beyond it).
    std::span<const std::uint8_t> Rest() const {
        return Position < Bytes.size() ? Bytes.subspan(Position) : std::span<const std::uint8_t>();
    }
};
