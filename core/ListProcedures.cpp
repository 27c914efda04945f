#include "core/ListProcedures.h"

namespace quillmora {

void addWordByHand(WordList& list, InputBoxService& input, MessageBoxService& messages,
                   CountLabel& label) {
    const auto word = input.inputBox("请输入词语：", "添加词语", Text(), InputMode::PlainText);
    if (!word || word->empty()) {
        return;
    }
    if (list.contains(*word)) {
        messages.showMessageBox("列表中存在相同的项目，不能重复添加！", MessageBoxKind::Error,
                                "重复");
        return;
    }
    list.append(*word);
    label.showCount(list);
}

void deleteSelectedItem(WordList& list, MessageBoxService& messages, CountLabel& label) {
    if (list.count() == 0) {
        return;
    }
    if (list.selection() == WordList::kNoSelection) {
        messages.showMessageBox("请先选中一个项目再删除", MessageBoxKind::Error, "删除");
        return;
    }
    if (messages.showMessageBox("删除选定项目？", MessageBoxKind::Confirmation, "删除") ==
        MessageBoxResult::Ok) {
        list.removeAt(list.selection());
    }
    label.refreshCount(list);
}

void clearList(WordList& list, MessageBoxService& messages, CountLabel& label) {
    if (list.count() == 0) {
        return;
    }
    if (messages.showMessageBox("确实要清空全部项目？", MessageBoxKind::Confirmation, "清空") !=
        MessageBoxResult::Ok) {
        return;
    }
    list.clear();
    label.hideCount();
}

}  // namespace quillmora
