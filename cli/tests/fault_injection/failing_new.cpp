// An allocator for LD_PRELOAD that makes operator new fail on purpose, to test that
// a program survives every allocation failure. ZENTAVO_FAIL_AT=N fails the N-th
// allocation (counting from 1); with ZENTAVO_FAIL_FROM not empty, every allocation
// from the N-th on fails. ZENTAVO_COUNT_FILE, when set, receives the number of
// allocations made, written at exit.
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<unsigned long> Count{0};

unsigned long FailAt() {
    static const unsigned long at = [] {
        const char* text = std::getenv("ZENTAVO_FAIL_AT");
        return text ? std::strtoul(text, nullptr, 10) : 0UL;
    }();
    return at;
}

bool FailFrom() {
    static const bool from = [] {
        const char* text = std::getenv("ZENTAVO_FAIL_FROM");
        return text != nullptr && *text != '\0';
    }();
    return from;
}

bool ShouldFail() {
    const unsigned long n = ++Count;
    const unsigned long at = FailAt();
    return at != 0 && (n == at || (FailFrom() && n > at));
}

void* Allocate(std::size_t size, std::size_t alignment) {
    if (ShouldFail()) return nullptr;
    if (size == 0) size = 1;
    if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
    void* p = nullptr;
    return posix_memalign(&p, alignment, size) == 0 ? p : nullptr;
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment = alignof(std::max_align_t)) {
    void* p = Allocate(size, alignment);
    if (!p) throw std::bad_alloc();
    return p;
}

struct TReport {
    ~TReport() {
        const char* path = std::getenv("ZENTAVO_COUNT_FILE");
        if (!path) return;
        char text[32];
        const int length = std::snprintf(text, sizeof text, "%lu\n", Count.load());
        const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0) return;
        if (write(fd, text, static_cast<std::size_t>(length)) < 0) {
        }
        close(fd);
    }
} Report;

} // namespace

void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, std::align_val_t a) {
    return AllocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a) {
    return AllocateOrThrow(size, static_cast<std::size_t>(a));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size, alignof(std::max_align_t));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size, alignof(std::max_align_t));
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    std::free(p);
}
