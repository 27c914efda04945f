#include "core/LargeAllocator.h"

#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quillmora {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}
}  // namespace

void* allocateLarge(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= kHugePage) {
        const std::size_t size = roundUp(bytes, kHugePage);
        void* block = std::aligned_alloc(kHugePage, size);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        madvise(block, size, MADV_HUGEPAGE);  // a hint: without huge pages the block still works
        return block;
    }
#endif
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void freeLarge(void* block, std::size_t /*bytes*/) noexcept {
    std::free(block);
}

}  // namespace quillmora
