#include "textio/BatchImport.h"

#include <new>
#include <stdexcept>

#include "textio/FileSystem.h"
#include "textio/SplitText.h"
#include "textio/TextFile.h"

namespace quillmora {

namespace {

// The file's pieces, or none when the source gives nothing. The text itself is let go as soon
// as the pieces hold their own copy, so a large file is in memory twice only briefly.
PieceList readPieces(const ImportSource& source) {
    if (source.path.empty() || !fileExists(source.path)) {
        return {};
    }
    const Text text = readTextFile(source.path);
    if (text.empty()) {
        return {};
    }
    return splitText(text, separatorFor(source.separatorBoxText));
}

}  // namespace

Text separatorFor(const Text& separatorBoxText) {
    return separatorBoxText == kCarriageReturnChoice ? Text("\r\n") : separatorBoxText;
}

void importSource(const ImportSource& source, WordList& target) {
    try {
        const PieceList pieces = readPieces(source);
        target.appendEachIfNew(pieces.views());
    } catch (const std::bad_alloc&) {
        // Out of memory, or the list cannot hold more: what was appended stays, like any
        // other import that gives less than the file holds.
    } catch (const std::length_error&) {
    }
}

void batchImport(const ImportSource& mainSource, const ImportSource& longTailSource,
                 WordList& mainWords, WordList& longTailWords, CountLabel& mainLabel,
                 CountLabel& longTailLabel, MessageBoxService& messages) {
    importSource(mainSource, mainWords);
    importSource(longTailSource, longTailWords);
    if (mainWords.count() > 0) {
        mainLabel.showCount(mainWords);
    }
    if (longTailWords.count() > 0) {
        longTailLabel.showCount(longTailWords);
    }
    messages.showMessageBox("导入内容完成！", MessageBoxKind::Information, "完成");
}

}  // namespace quillmora
