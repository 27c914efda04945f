#pragma once

#include <vector>

#include "core/WordList.h"

namespace quillmora {

// For each item, whether some other item of the list is a prefix of it or has it as a prefix
// (equal items count). Two phrases of one Sequential run that start with different first
// words can be equal only when both first words are marked here.
std::vector<bool> findPrefixOverlaps(const WordList& list);

// Whether the list holds two equal items.
bool hasEqualItems(const WordList& list);

}  // namespace quillmora
