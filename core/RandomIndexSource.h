#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace quillmora {

// Milliseconds since the system started, wrapping after 2^32 ms (about 49.7 days).
std::uint32_t systemTickCount() noexcept;

// The generator that draws long-tail positions for a Random run: a 32-bit linear
// congruential generator with a 15-bit output. Given the seed, every draw is fixed, so a run
// can be reproduced from its seed.
class RandomIndexSource {
  public:
    // What `seedFromClock` reads: the system's tick counter, or a fixed value to replay a run.
    using TickCounter = std::function<std::uint32_t()>;

    explicit RandomIndexSource(TickCounter tickCounter = systemTickCount)
        : tickCounter_(std::move(tickCounter)) {}

    void seed(std::uint32_t s) noexcept { state_ = s; }
    // Seeds from the tick counter plus an offset that moves on at every seeding, so two
    // seedings within one millisecond still differ.
    void seedFromClock() noexcept;
    // Advances the generator; a value from 0 to 32767.
    int next() noexcept;
    // A value between the two bounds (negative bounds count as 0, swapped bounds are put in
    // order); when they meet, that value, without advancing the generator.
    std::int32_t draw(std::int32_t min, std::int32_t max) noexcept;

    [[nodiscard]] std::uint32_t seedOffset() const noexcept { return seedOffset_; }
    [[nodiscard]] std::uint32_t state() const noexcept { return state_; }

  private:
    TickCounter tickCounter_;
    std::uint32_t state_ = 1;
    std::uint32_t seedOffset_ = 0;
};

}  // namespace quillmora
