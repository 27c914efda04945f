#pragma once

#include <string_view>

namespace quillmora {

// The platform's message-box style values that the program uses.
enum class MessageBoxKind : int {
    Error = 16,         // stop icon, OK
    Confirmation = 49,  // exclamation icon, OK and Cancel
    Information = 64,   // information icon, OK
};

enum class MessageBoxResult : int {
    Ok = 0,
    Cancel = 1,  // also closing a Confirmation box by Esc or its close box
};

// The message box of the shell. Texts and titles are the program's fixed texts, UTF-8.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual MessageBoxResult showMessageBox(std::string_view text, MessageBoxKind kind,
                                            std::string_view title) = 0;
    // No title given: the title is "信息：".
    MessageBoxResult showMessageBox(std::string_view text, MessageBoxKind kind) {
        return showMessageBox(text, kind, "信息：");
    }
};

}  // namespace quillmora
