#pragma once

#include <optional>

#include "core/Text.h"
#include "ui/Platform.h"

namespace quillmora {

// The input box in either of its two fixed layouts, owned by the active window, centred on
// the screen. The field's text on OK (Enter), nothing on Cancel, Esc or the close box.
std::optional<Text> runInputDialog(const InputBoxRequest& request);

}  // namespace quillmora
