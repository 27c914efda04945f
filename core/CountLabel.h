#pragma once

#include "core/WordList.h"

namespace quillmora {

// The count label under a list: visible exactly when its list has items, showing the count.
// These steps are the only way a label changes.
class CountLabel {
  public:
    virtual ~CountLabel() = default;
    // Makes the label visible, then sets its caption to the list's count in decimal.
    virtual void showCount(const WordList& list) = 0;
    // Makes the label invisible; the caption stays as it was.
    virtual void hideCount() = 0;

    void refreshCount(const WordList& list) {
        if (list.count() > 0) {
            showCount(list);
        } else {
            hideCount();
        }
    }
};

}  // namespace quillmora
