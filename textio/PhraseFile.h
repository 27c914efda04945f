#pragma once

#include "core/WordList.h"
#include "textio/Bytes.h"

namespace quillmora {

// The exported phrase file: every non-empty item in list order, each followed by CR LF, the
// items' bytes unchanged, nothing else.
Bytes phraseFileContent(const WordList& combined);

}  // namespace quillmora
