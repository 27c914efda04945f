#pragma once

#include <filesystem>
#include <optional>

#include "ui/Platform.h"

namespace quillmora {

// The open or save dialog as the request asks for it, owned by the active window. Qt's own
// dialog, not the desktop's, so that the default extension, the overwrite question and the
// texts (Chinese, from Qt's translations) are the same on every desktop.
std::optional<std::filesystem::path> runFileDialog(const FileDialogRequest& request);

}  // namespace quillmora
