#pragma once

#include "core/CombineRules.h"
#include "core/FunctionRef.h"
#include "core/RandomIndexSource.h"
#include "core/WordList.h"

namespace quillmora {

// What the hook before each candidate tells the run.
enum class RunDecision {
    Continue,
    Stop,  // the window that owns the lists is gone: end now, touch no list again
};

// Called before each candidate is built; the main window pumps its events here.
using BeforeCandidate = FunctionRef<RunDecision()>;
// Called after each phrase appended to the combined list.
using PhraseAdded = FunctionRef<void(const WordList& combined)>;

// Joins main words with long-tail words under the rules and appends every new, non-empty
// phrase to `combined`. Sequential: every main word with every long-tail word. Random: each
// main word with one long-tail word drawn by `source`, seeded from the clock first.
void runCombination(const WordList& mainWords, const WordList& longTailWords, WordList& combined,
                    CombineRules rules, RandomIndexSource& source, BeforeCandidate beforeCandidate,
                    PhraseAdded phraseAdded);

}  // namespace quillmora
