// splitText against the plain reference. Input: one byte whose value modulo 8 is the
// separator's length, the separator's bytes, then the text (NUL bytes and all).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "fuzz/FuzzCheck.h"
#include "fuzz/ReferenceSplit.h"
#include "textio/SplitText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t separatorLength = std::min<std::size_t>(data[0] % 8, size - 1);
    const std::string_view separator = input.substr(1, separatorLength);
    const std::string_view text = input.substr(1 + separatorLength);

    const auto expected = quillmora::fuzz::referenceSplit(text, separator);
    quillmora::PieceList pieces = quillmora::splitText(text, separator);
    // The pieces are views into the list's own copy; they must survive a move of the list.
    const quillmora::PieceList moved = std::move(pieces);

    FUZZ_CHECK(moved.size() == expected.size());
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(moved[i] == expected[i]);
        bytes += moved[i].size();
    }
    FUZZ_CHECK(bytes <= text.size());
    return 0;
}
