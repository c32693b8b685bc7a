// Storage for the many small objects of one compilation: a formula's nodes, or a
// program's operations. They are placed one after another in large chunks instead
// of one heap block each, which saves the allocator's bookkeeping per object and
// most of the time spent allocating. The arena only holds the memory: its owner
// constructs objects with Make and destroys them (through its own list of them)
// before it clears or destroys the arena.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

class TArena {
public:
    TArena() = default;
    TArena(const TArena&) = delete;
    TArena& operator=(const TArena&) = delete;

    // Constructs a T in the arena; it stays until its owner destroys it.
    template <typename T, typename... Args> T* Make(Args&&... args) {
        return ::new (Allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    }

    // Frees every chunk; the objects in them must have been destroyed.
    void Clear() noexcept;

private:
    struct TChunk {
        std::unique_ptr<std::byte[]> Bytes;
        std::size_t Size = 0;
    };

    void* Allocate(std::size_t size, std::size_t alignment);

    std::vector<TChunk> FChunks;
    std::byte* FNext = nullptr; // the free part of the last chunk
    std::byte* FEnd = nullptr;
};
