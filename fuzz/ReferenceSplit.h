#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillmora::fuzz {

// The split done the slow, obvious way, one byte and one step at a time, so that the fast
// `splitText` has something plain to be checked against.
inline std::vector<std::string> referenceSplit(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    const std::size_t n = text.size();
    const std::size_t m = separator.size();
    if (n == 0) {
        return pieces;
    }
    if (m == 0) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    std::size_t pos = 0;
    std::size_t remaining = n;
    while (remaining >= m) {
        bool matches = true;
        for (std::size_t k = 0; k < m; ++k) {
            if (text[pos + k] != separator[k]) {
                matches = false;
                break;
            }
        }
        if (matches) {
            pieces.emplace_back(text.substr(start, pos - start));
            pos += m;
            remaining -= m;
            start = pos;
        } else if (static_cast<unsigned char>(text[pos]) >= 0x80) {
            if (pos == n - 1) {
                break;  // a lead byte with nothing after it: the tail piece keeps it
            }
            pos += 2;
            remaining -= 2;
        } else {
            pos += 1;
            remaining -= 1;
        }
    }
    if (start < n) {
        pieces.emplace_back(text.substr(start));
    }
    return pieces;
}

}  // namespace quillmora::fuzz
