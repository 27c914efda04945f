#include "core/RandomIndexSource.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillmora {
namespace {

std::vector<int> nextValues(RandomIndexSource& source, int n) {
    std::vector<int> values;
    for (int i = 0; i < n; ++i) {
        values.push_back(source.next());
    }
    return values;
}

TEST(RandomIndexSource, KnownSequences) {
    RandomIndexSource unseeded;
    EXPECT_EQ(nextValues(unseeded, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    RandomIndexSource source;
    source.seed(1);
    EXPECT_EQ(nextValues(source, 5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    source.seed(0);
    EXPECT_EQ(nextValues(source, 3), (std::vector<int>{38, 7719, 21238}));
}

TEST(RandomIndexSource, Draws) {
    RandomIndexSource source;
    source.seed(1);
    EXPECT_EQ(source.draw(0, 2), 2);
    EXPECT_EQ(source.draw(0, 9), 7);
    EXPECT_EQ(source.draw(10, 20), 19);

    source.seed(1);
    EXPECT_EQ(source.draw(5, 2), 3);   // swapped bounds: 2 + 41 mod 4
    EXPECT_EQ(source.draw(-3, 4), 2);  // the range is 0 to 4
    const auto before = source.state();
    EXPECT_EQ(source.draw(-5, -1), 0);
    EXPECT_EQ(source.state(), before);
}

TEST(RandomIndexSource, MeetingBoundsDoNotAdvance) {
    RandomIndexSource source;
    source.seed(1);
    EXPECT_EQ(source.draw(0, -1), 0);
    EXPECT_EQ(source.draw(0, 0), 0);
    EXPECT_EQ(source.draw(7, 7), 7);
    EXPECT_EQ(source.next(), 41);
}

TEST(RandomIndexSource, WideRangesOnlyReachTheLowest32768) {
    RandomIndexSource source;
    source.seed(12345);
    for (int i = 0; i < 10000; ++i) {
        EXPECT_LE(source.draw(0, 65535), 32767);
    }
    RandomIndexSource a;
    RandomIndexSource b;
    a.seed(99);
    b.seed(99);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(a.draw(0, 2147483647), b.next());
    }
}

std::uint32_t ticks = 0;
std::uint32_t fakeTicks() noexcept {
    return ticks;
}

TEST(RandomIndexSource, SeedFromClockMovesTheOffset) {
    ticks = 1000;
    RandomIndexSource source(fakeTicks);
    source.seedFromClock();
    EXPECT_EQ(source.state(), 1000U);
    EXPECT_EQ(source.seedOffset(), 332U);
    source.seedFromClock();
    EXPECT_EQ(source.state(), 1332U);
    EXPECT_EQ(source.seedOffset(), 484U);
}

TEST(RandomIndexSource, SeedWrapsModulo2To32) {
    ticks = 0xFFFFFFF0U;
    RandomIndexSource source(fakeTicks);
    source.seedFromClock();  // offset 0: seed 0xFFFFFFF0, offset 0xF0 + 100 = 340
    EXPECT_EQ(source.seedOffset(), 340U);
    source.seedFromClock();  // 0xFFFFFFF0 + 340 wraps to 324
    EXPECT_EQ(source.state(), 324U);
    EXPECT_EQ(source.seedOffset(), 340U + (324U & 0xFFU) + 100U);
}

}  // namespace
}  // namespace quillmora
