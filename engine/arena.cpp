// Chunks that grow with the compilation: from 4 KB, doubling up to 1 MB, so a short
// formula takes one small chunk and a long one wastes at most the end of the last.
#include "engine/arena.h"

#include <algorithm>
#include <cstdint>

namespace {
constexpr std::size_t FirstChunk = 4096;
constexpr std::size_t LargestChunk = std::size_t{1} << 20;
} // namespace

void* TArena::Allocate(std::size_t size, std::size_t alignment) {
    auto next = reinterpret_cast<std::uintptr_t>(FNext);
    next = (next + alignment - 1) & ~(std::uintptr_t{alignment} - 1);
    if (!FNext || next + size > reinterpret_cast<std::uintptr_t>(FEnd)) {
        const std::size_t grown = FChunks.empty() ? FirstChunk : FChunks.back().Size * 2;
        const std::size_t chunk = std::max(std::min(grown, LargestChunk), size + alignment);
        FChunks.reserve(FChunks.size() + 1); // so that the push cannot fail after the new
        FChunks.push_back({std::make_unique_for_overwrite<std::byte[]>(chunk), chunk});
        FNext = FChunks.back().Bytes.get();
        FEnd = FNext + chunk;
        next = reinterpret_cast<std::uintptr_t>(FNext);
        next = (next + alignment - 1) & ~(std::uintptr_t{alignment} - 1);
    }
    FNext = reinterpret_cast<std::byte*>(next + size);
    return reinterpret_cast<void*>(next);
}

void TArena::Clear() noexcept {
    FChunks.clear();
    FNext = FEnd = nullptr;
}
