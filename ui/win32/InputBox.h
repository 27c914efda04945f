#pragma once

#include <windows.h>

#include <optional>

#include "ui/Platform.h"

namespace quillmora::win32 {

// The input box: a dialog built in memory in dialog units for 9-point "宋体", one of the two
// fixed layouts, owned by `owner`. The field's text on OK, nothing on Cancel, Esc or the close
// box.
std::optional<Text> runInputBox(HINSTANCE instance, HWND owner, const InputBoxRequest& request);

}  // namespace quillmora::win32
