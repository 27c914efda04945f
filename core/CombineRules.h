#pragma once

#include <cstdint>

namespace quillmora {

enum class CombineMode : std::int32_t {
    Sequential = 0,  // every main word with every long-tail word, in list order
    Random = 1,      // each main word with one drawn long-tail word
};

enum class CombineOrder : std::int32_t {
    MainFirst = 0,      // main word, then long-tail word
    LongTailFirst = 1,  // long-tail word, then main word
};

// How the next run joins the words. One pair lives for the whole process, starting at
// Sequential and MainFirst; only the rules window changes it.
struct CombineRules {
    CombineMode mode = CombineMode::Sequential;
    CombineOrder order = CombineOrder::MainFirst;

    friend bool operator==(const CombineRules&, const CombineRules&) = default;
};

}  // namespace quillmora
