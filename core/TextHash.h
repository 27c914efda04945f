#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace quillmora {

// A fast 64-bit hash for short byte strings (words and phrases are mostly under 32 bytes).
// Not for anything that faces an adversary: it only spreads list items over an index.
inline std::uint64_t hashText(std::string_view text) noexcept {
    constexpr std::uint64_t k0 = 0x9E3779B97F4A7C15ULL;
    constexpr std::uint64_t k1 = 0xBF58476D1CE4E5B9ULL;
    constexpr std::uint64_t k2 = 0x94D049BB133111EBULL;
    __extension__ using Wide = unsigned __int128;
    auto mix = [](std::uint64_t a, std::uint64_t b) {
        const Wide r = static_cast<Wide>(a) * b;
        return static_cast<std::uint64_t>(r) ^ static_cast<std::uint64_t>(r >> 64);
    };
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t h = k0 ^ (static_cast<std::uint64_t>(n) * k2);
    while (n >= 8) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        h = mix(h ^ v, k1);
        p += 8;
        n -= 8;
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, p, n);
    return mix(h ^ tail, k2 ^ n);
}

}  // namespace quillmora
