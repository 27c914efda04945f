#include "ui/FileDialog.h"

#include <algorithm>

namespace quillmora {

namespace {

bool isTrailingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string normalizedFilter(std::string_view filter) {
    std::string copy(filter);
    while (!copy.empty() && isTrailingSpace(copy.back())) {
        copy.pop_back();
    }
    if (!copy.empty() && !copy.ends_with("||")) {
        copy += "||";
    }
    return copy;
}

std::vector<FileTypeFilter> parseFilter(std::string_view filter) {
    // The fixed texts are UTF-8, where the byte of "|" never occurs inside a character.
    const std::string list = normalizedFilter(filter);
    std::vector<FileTypeFilter> filters;
    std::size_t at = 0;
    auto nextEntry = [&]() -> std::string_view {
        const std::size_t bar = list.find('|', at);
        if (bar == std::string::npos) {
            return {};
        }
        std::string_view entry(list.data() + at, bar - at);
        at = bar + 1;
        return entry;
    };
    while (at < list.size()) {
        const std::string_view description = nextEntry();
        if (description.empty()) {
            break;
        }
        const std::string_view pattern = nextEntry();
        if (pattern.empty()) {
            break;  // a description without its pattern ends the list
        }
        filters.push_back({std::string(description), std::string(pattern)});
    }
    return filters;
}

FileDialogRequest fileDialogRequest(const FileDialog& dialog) {
    FileDialogRequest request;
    request.kind = dialog.kind;
    request.title = dialog.title;
    request.filters = parseFilter(dialog.filter);
    if (!request.filters.empty()) {
        const int last = static_cast<int>(request.filters.size()) - 1;
        // An entry past the end would select nothing; the first is what the user expects.
        request.selectedFilter =
            dialog.initialFilter > last ? 0 : std::max(dialog.initialFilter, 0);
    }
    request.initialFile = dialog.fileName;
    request.initialFolder = dialog.initialFolder;
    request.defaultExtension = dialog.defaultExtension;
    request.createPrompt = dialog.createPrompt;
    request.fileMustExist = dialog.fileMustExist;
    request.overwritePrompt = dialog.overwritePrompt;
    request.pathMustExist = dialog.pathMustExist;
    request.keepCurrentDirectory = dialog.keepCurrentDirectory;
    return request;
}

bool showFileDialog(Platform& platform, FileDialog& dialog) {
    auto chosen = platform.fileDialog(fileDialogRequest(dialog));
    if (!chosen || chosen->empty()) {
        return false;
    }
    dialog.fileName = std::move(*chosen);
    return true;
}

}  // namespace quillmora
