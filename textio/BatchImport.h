#pragma once

#include <filesystem>

#include "core/CountLabel.h"
#include "core/MessageBoxService.h"
#include "core/Text.h"
#include "core/WordList.h"

namespace quillmora {

// "回车符" in code page 936: the separator box's choice that stands for CR LF.
inline constexpr std::string_view kCarriageReturnChoice = "\xBB\xD8\xB3\xB5\xB7\xFB";

// The separator a separator box's text stands for: CR LF for "回车符" byte for byte, otherwise
// the text itself (possibly empty).
Text separatorFor(const Text& separatorBoxText);

// One source of the import window: what its path box and separator box hold.
struct ImportSource {
    std::filesystem::path path;
    Text separatorBoxText;
};

// Reads the file, splits it at the source's separator and appends each piece that the target's
// skip rule lets through. A source that gives nothing (no path, no file, a directory, an
// unreadable or empty file) is skipped without a word.
void importSource(const ImportSource& source, WordList& target);

// Both sources, then the two count labels, then "导入内容完成！". Closing the import window
// afterwards is the window's business.
void batchImport(const ImportSource& mainSource, const ImportSource& longTailSource,
                 WordList& mainWords, WordList& longTailWords, CountLabel& mainLabel,
                 CountLabel& longTailLabel, MessageBoxService& messages);

}  // namespace quillmora
