#pragma once

#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/WordList.h"

namespace quillmora::bench {

// Words as a marketer's lists hold them: GBK Chinese words of 2 to 6 characters, one in ten
// ASCII, and, when asked, some words that extend another word (a prefix among the words).
inline std::vector<std::string> makeWords(std::size_t count, std::uint32_t seed,
                                          double extensionShare = 0.0) {
    std::mt19937 random(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    auto chinese = [&](int characters) {
        std::string w;
        for (int i = 0; i < characters; ++i) {
            w.push_back(static_cast<char>(pick(0xB0, 0xD6)));
            w.push_back(static_cast<char>(pick(0xA1, 0xFE)));
        }
        return w;
    };
    std::vector<std::string> words;
    std::unordered_set<std::string> seen;
    while (words.size() < count) {
        std::string w;
        const double roll = std::uniform_real_distribution<double>(0, 1)(random);
        if (!words.empty() && roll < extensionShare) {
            w = words[random() % words.size()] + chinese(pick(1, 2));
        } else if (roll < extensionShare + 0.1) {
            for (int i = pick(3, 10); i > 0; --i) {
                w.push_back(static_cast<char>(pick('a', 'z')));
            }
        } else {
            w = chinese(pick(2, 6));
        }
        if (seen.insert(w).second) {
            words.push_back(std::move(w));
        }
    }
    return words;
}

inline WordList listOf(const std::vector<std::string>& words) {
    WordList list;
    for (const auto& w : words) {
        list.append(w);
    }
    return list;
}

// Words joined by CR LF until the text holds at least `bytes` bytes.
inline std::string makeWordFile(std::size_t bytes, std::uint32_t seed) {
    const auto words = makeWords(1 << 20, seed);
    std::string text;
    text.reserve(bytes + 64);
    for (std::size_t i = 0; text.size() < bytes; ++i) {
        text += words[i % words.size()];
        text += "\r\n";
    }
    return text;
}

}  // namespace quillmora::bench
