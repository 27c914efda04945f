#pragma once

#include <cstddef>
#include <new>

namespace quillmora {

// Memory for the big buffers of a word list (its byte arena, item starts and index). Blocks of
// a few megabytes and more are asked for in huge pages where the system offers them: a list of
// millions touches hundreds of megabytes, and taking them a 4 KiB page at a time costs more
// than building the phrases.
void* allocateLarge(std::size_t bytes);
void freeLarge(void* block, std::size_t bytes) noexcept;

template <class T>
struct LargeAllocator {
    using value_type = T;

    LargeAllocator() noexcept = default;
    template <class U>
    LargeAllocator(const LargeAllocator<U>&) noexcept {}  // NOLINT(google-explicit-constructor)

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(allocateLarge(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { freeLarge(p, n * sizeof(T)); }

    template <class U>
    friend bool operator==(const LargeAllocator&, const LargeAllocator<U>&) noexcept {
        return true;
    }
};

}  // namespace quillmora
