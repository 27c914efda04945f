#pragma once

#include "core/CountLabel.h"
#include "core/InputBoxService.h"
#include "core/MessageBoxService.h"
#include "core/WordList.h"

namespace quillmora {

// What the list buttons of the main window do. Each takes the list, the shell's boxes and the
// list's count label, so that it runs the same with or without a window.

// Asks for a word and appends it unless it is empty or the list holds it already.
void addWordByHand(WordList& list, InputBoxService& input, MessageBoxService& messages,
                   CountLabel& label);
// Removes the selected item after the user confirms.
void deleteSelectedItem(WordList& list, MessageBoxService& messages, CountLabel& label);
// Empties the list after the user confirms.
void clearList(WordList& list, MessageBoxService& messages, CountLabel& label);

}  // namespace quillmora
