#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Platform.h"

namespace quillmora {

// A window's open or save dialog: its declared settings, and the file it last returned. It
// belongs to its window instance, so a new instance starts with no file.
struct FileDialog {
    FileDialogRequest::Kind kind = FileDialogRequest::Kind::Open;
    std::string title;               // UTF-8; empty: the platform's default caption
    std::filesystem::path fileName;  // the initial file of the next showing; set only on confirm
    std::string filter;              // "description|pattern|description|pattern..."
    int initialFilter = 0;           // zero-based; below 0 counts as 0
    std::filesystem::path initialFolder;
    std::string defaultExtension;  // without the dot
    bool createPrompt = false;
    bool fileMustExist = false;
    bool overwritePrompt = false;
    bool pathMustExist = false;
    bool keepCurrentDirectory = false;
};

// The filter text as the platform's list reads it: trailing white space removed, ended by
// "||", then taken as description and pattern pairs up to the first empty entry.
std::string normalizedFilter(std::string_view filter);
std::vector<FileTypeFilter> parseFilter(std::string_view filter);

// What the dialog asks of the platform when it is shown now.
FileDialogRequest fileDialogRequest(const FileDialog& dialog);

// Shows the dialog; true when the user confirmed a file, which is then in `fileName`.
// Cancel and failure leave `fileName` as it was.
bool showFileDialog(Platform& platform, FileDialog& dialog);

}  // namespace quillmora
