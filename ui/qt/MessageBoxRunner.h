#pragma once

#include <string_view>

#include "core/MessageBoxService.h"

namespace quillmora {

// The message box of the three kinds: no owner, every window of the program blocked until it
// closes, OK the default button. Esc and the close box give Cancel where there is a Cancel
// button, else OK.
MessageBoxResult runMessageBox(std::string_view text, MessageBoxKind kind, std::string_view title);

}  // namespace quillmora
