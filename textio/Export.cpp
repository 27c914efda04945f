#include "textio/Export.h"

#include "textio/PhraseFile.h"

namespace quillmora {

void exportCombinedList(const WordList& combined, SaveDialogService& saveDialog,
                        WholeFileWriter writer, MessageBoxService& messages) {
    if (combined.count() == 0) {
        return;
    }
    // Built before the dialog opens: the file holds the list as it was at the click.
    const Bytes content = phraseFileContent(combined);
    const auto path = saveDialog.askSavePath();
    if (!path) {
        return;
    }
    if (writer(*path, content) != FileProblem::None) {
        return;
    }
    messages.showMessageBox("导出成功！", MessageBoxKind::Information, "完成");
}

}  // namespace quillmora
