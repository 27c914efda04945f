#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "core/FunctionRef.h"
#include "core/MessageBoxService.h"
#include "core/WordList.h"
#include "textio/FileProblem.h"

namespace quillmora {

// The main window's save dialog: the chosen path, or nothing when the user cancelled.
class SaveDialogService {
  public:
    virtual ~SaveDialogService() = default;
    virtual std::optional<std::filesystem::path> askSavePath() = 0;
};

// Writes a whole file; `writeWholeFile` in the program, a stand-in in tests.
using WholeFileWriter = FunctionRef<FileProblem(const std::filesystem::path&, std::string_view)>;

// "导出": builds the phrase file, asks for a path, writes it, and shows "导出成功！" only after
// a complete write. An empty list, a cancelled dialog or a failed write show nothing.
void exportCombinedList(const WordList& combined, SaveDialogService& saveDialog,
                        WholeFileWriter writer, MessageBoxService& messages);

}  // namespace quillmora
