#include "core/PrefixOverlap.h"

#include <algorithm>
#include <numeric>

namespace quillmora {

namespace {
std::vector<WordList::Position> sortedPositions(const WordList& list) {
    std::vector<WordList::Position> order(static_cast<std::size_t>(list.count()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&list](WordList::Position a, WordList::Position b) {
        return list.viewAt(a) < list.viewAt(b);
    });
    return order;
}
}  // namespace

std::vector<bool> findPrefixOverlaps(const WordList& list) {
    std::vector<bool> overlaps(static_cast<std::size_t>(list.count()), false);
    // In sorted order every item that is a prefix of the current one is still on the stack:
    // nothing between a prefix and its extension sorts outside the prefix.
    std::vector<WordList::Position> open;
    for (const WordList::Position p : sortedPositions(list)) {
        const std::string_view word = list.viewAt(p);
        while (!open.empty() && !word.starts_with(list.viewAt(open.back()))) {
            open.pop_back();
        }
        if (!open.empty()) {
            overlaps[static_cast<std::size_t>(p)] = true;
            // Every entry on the stack is a prefix of this word; entries below a marked one
            // were marked with it.
            for (auto it = open.rbegin();
                 it != open.rend() && !overlaps[static_cast<std::size_t>(*it)]; ++it) {
                overlaps[static_cast<std::size_t>(*it)] = true;
            }
        }
        open.push_back(p);
    }
    return overlaps;
}

bool hasEqualItems(const WordList& list) {
    const auto order = sortedPositions(list);
    return std::adjacent_find(order.begin(), order.end(),
                              [&list](WordList::Position a, WordList::Position b) {
                                  return list.viewAt(a) == list.viewAt(b);
                              }) != order.end();
}

}  // namespace quillmora
