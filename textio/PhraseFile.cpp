#include "textio/PhraseFile.h"

namespace quillmora {

Bytes phraseFileContent(const WordList& combined) {
    // Sized once up front: for millions of phrases this is the largest buffer of an export.
    std::size_t size = 0;
    for (WordList::Position p = 0; p < combined.count(); ++p) {
        const std::size_t length = combined.viewAt(p).size();
        size += length == 0 ? 0 : length + 2;
    }
    Bytes content;
    content.reserve(size);
    for (WordList::Position p = 0; p < combined.count(); ++p) {
        const std::string_view item = combined.viewAt(p);
        if (!item.empty()) {
            content.append(item);
            content.append("\r\n");
        }
    }
    return content;
}

}  // namespace quillmora
