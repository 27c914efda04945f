#include "ui/win32/FileDialogs.h"

#include <commdlg.h>

#include <array>
#include <string>

#include "ui/win32/WideText.h"

namespace quillmora::win32 {
namespace {

// Description, NUL, pattern, NUL, ..., and one more NUL at the end.
std::wstring filterList(const FileDialogRequest& request) {
    std::wstring list;
    for (const FileTypeFilter& filter : request.filters) {
        list += wideFromUtf8(filter.description);
        list += L'\0';
        list += wideFromUtf8(filter.pattern);
        list += L'\0';
    }
    if (!list.empty()) {
        list += L'\0';
    }
    return list;
}

}  // namespace

std::optional<std::filesystem::path> runFileDialog(HWND owner, const FileDialogRequest& request) {
    // The system's path buffer: a chosen path of more than MAX_PATH - 1 characters fails.
    std::array<wchar_t, MAX_PATH> file{};
    const std::wstring initialFile = request.initialFile.wstring();
    if (initialFile.size() < file.size()) {
        initialFile.copy(file.data(), initialFile.size());
    }
    const std::wstring filters = filterList(request);
    const std::wstring title = wideFromUtf8(request.title);
    const std::wstring folder = request.initialFolder.wstring();
    const std::wstring extension = wideFromUtf8(request.defaultExtension);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    dialog.nFilterIndex = filters.empty() ? 0 : static_cast<DWORD>(request.selectedFilter + 1);
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;
    if (request.createPrompt) {
        dialog.Flags |= OFN_CREATEPROMPT;
    }
    if (request.fileMustExist) {
        dialog.Flags |= OFN_FILEMUSTEXIST;
    }
    if (request.overwritePrompt) {
        dialog.Flags |= OFN_OVERWRITEPROMPT;
    }
    if (request.pathMustExist) {
        dialog.Flags |= OFN_PATHMUSTEXIST;
    }
    if (request.keepCurrentDirectory) {
        dialog.Flags |= OFN_NOCHANGEDIR;
    }
    const BOOL confirmed = request.kind == FileDialogRequest::Kind::Open
                               ? GetOpenFileNameW(&dialog)
                               : GetSaveFileNameW(&dialog);
    if (!confirmed) {
        return std::nullopt;  // cancelled, or failed (a path too long for the buffer included)
    }
    return std::filesystem::path(file.data());
}

}  // namespace quillmora::win32
