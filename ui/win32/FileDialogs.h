#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>

#include "ui/Platform.h"

namespace quillmora::win32 {

// The system's open or save dialog, owned by `owner`, with the request's settings.
std::optional<std::filesystem::path> runFileDialog(HWND owner, const FileDialogRequest& request);

}  // namespace quillmora::win32
