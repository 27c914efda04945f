#include "textio/SplitText.h"

#include <cstring>

namespace quillmora {

namespace {

bool isLeadByte(char c) noexcept {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Whether `q` begins a character, given that `known` (<= q) does. Only the run of lead-range
// bytes right in front of q decides it: the byte before that run is below 0x80, so the run
// starts a character whichever role that byte played, and the run pairs up from its start.
bool beginsCharacter(const char* text, std::size_t known, std::size_t q) noexcept {
    std::size_t runStart = q;
    while (runStart > known && isLeadByte(text[runStart - 1])) {
        --runStart;
    }
    return (q - runStart) % 2 == 0;
}

// Calls `piece(begin, length)` for every piece of the text, in order.
template <class OnPiece>
void forEachPiece(const char* data, std::size_t n, std::string_view separator, OnPiece&& piece) {
    const std::size_t m = separator.size();
    if (m == 0 || m > n) {
        piece(std::size_t{0}, n);
        return;
    }
    // The scan visits character starts only. Rather than step through every character, look
    // for the separator's first byte with memchr and then decide whether the hit begins a
    // character; `known` is the last position known to begin one, so every byte is looked
    // back over at most once.
    const char first = separator.front();
    const std::size_t lastStart = n - m;  // a match needs m bytes from its start
    std::size_t start = 0;
    std::size_t known = 0;
    while (known <= lastStart) {
        const void* hit = std::memchr(data + known, first, lastStart - known + 1);
        if (hit == nullptr) {
            break;
        }
        const auto q = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (!beginsCharacter(data, known, q)) {
            known = q + 1;  // q is the second byte of a character
            continue;
        }
        if (std::memcmp(data + q, separator.data(), m) == 0) {
            piece(start, q - start);
            start = q + m;
            known = start;
        } else {
            known = q + (isLeadByte(first) ? 2 : 1);
        }
    }
    if (start < n) {
        piece(start, n - start);
    }
}

}  // namespace

PieceList splitText(std::string_view text, std::string_view separator) {
    const std::size_t n = text.size();
    if (n == 0) {
        return {};
    }
    // Counted first, so the list of pieces is allocated once at its final size: for a large
    // file a second scan costs less than growing, copying and touching twice the memory.
    std::size_t count = 0;
    forEachPiece(text.data(), n, separator, [&count](std::size_t, std::size_t) { ++count; });
    PieceList::Pieces pieces;
    pieces.reserve(count);
    PieceList::Storage storage(text.begin(), text.end());
    const char* const data = storage.data();
    forEachPiece(data, n, separator, [&pieces, data](std::size_t begin, std::size_t length) {
        pieces.emplace_back(data + begin, length);
    });
    return PieceList(std::move(storage), std::move(pieces));
}

}  // namespace quillmora
