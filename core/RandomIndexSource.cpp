#include "core/RandomIndexSource.h"

#include <algorithm>
#include <chrono>

namespace quillmora {

std::uint32_t systemTickCount() noexcept {
    // steady_clock counts from system start on the platforms we ship for.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(ms.count());
}

void RandomIndexSource::seedFromClock() noexcept {
    const std::uint32_t s = tickCounter_() + seedOffset_;
    seedOffset_ += (s & 0xFFU) + 100U;
    seed(s);
}

int RandomIndexSource::next() noexcept {
    state_ = state_ * 214013U + 2531011U;
    return static_cast<int>((state_ >> 16) & 0x7FFFU);
}

std::int32_t RandomIndexSource::draw(std::int32_t min, std::int32_t max) noexcept {
    const std::int32_t lo = std::max(min, 0);
    const std::int32_t hi = std::max(max, 0);
    const std::int32_t a = std::min(lo, hi);
    const std::int32_t b = std::max(lo, hi);
    if (a == b) {
        return a;
    }
    const std::int32_t span = std::min(b - a, 2147483646);
    return a + next() % (span + 1);
}

}  // namespace quillmora
