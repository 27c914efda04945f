#pragma once

#include <optional>
#include <string_view>

#include "core/Text.h"

namespace quillmora {

enum class InputMode : int {
    PlainText = 1,  // any character, nothing masked
};

// The input box of the shell. Prompt and title are fixed texts (UTF-8); the initial text and
// the answer are the user's words (code page 936). No answer means Cancel, Esc or the close box.
class InputBoxService {
  public:
    virtual ~InputBoxService() = default;
    virtual std::optional<Text> inputBox(std::string_view prompt, std::string_view title,
                                         const Text& initialText, InputMode mode) = 0;
};

}  // namespace quillmora
