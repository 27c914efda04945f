#include "core/ListProcedures.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace quillmora {
namespace {

struct ShownBox {
    std::string text;
    MessageBoxKind kind;
    std::string title;
    friend bool operator==(const ShownBox&, const ShownBox&) = default;
};

// Stand-ins for the shell: scripted answers in, a record of what the user saw out.
struct FakeShell : InputBoxService, MessageBoxService, CountLabel {
    std::deque<std::optional<Text>> inputs;
    std::deque<MessageBoxResult> answers;
    std::vector<ShownBox> boxes;
    std::vector<std::string> prompts;
    std::vector<std::string> labelSteps;

    std::optional<Text> inputBox(std::string_view prompt, std::string_view title,
                                 const Text& initial, InputMode mode) override {
        prompts.push_back(std::string(prompt) + "|" + std::string(title) + "|" + initial + "|" +
                          std::to_string(static_cast<int>(mode)));
        auto answer = inputs.front();
        inputs.pop_front();
        return answer;
    }
    MessageBoxResult showMessageBox(std::string_view text, MessageBoxKind kind,
                                    std::string_view title) override {
        boxes.push_back({std::string(text), kind, std::string(title)});
        if (answers.empty()) {
            return MessageBoxResult::Ok;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showCount(const WordList& list) override {
        labelSteps.push_back("show " + std::to_string(list.count()));
    }
    void hideCount() override { labelSteps.push_back("hide"); }

    void add(WordList& list, std::optional<Text> typed) {
        inputs.push_back(std::move(typed));
        addWordByHand(list, *this, *this, *this);
    }
};

const ShownBox kDuplicate{"列表中存在相同的项目，不能重复添加！", MessageBoxKind::Error, "重复"};
const ShownBox kNothingSelected{"请先选中一个项目再删除", MessageBoxKind::Error, "删除"};
const ShownBox kConfirmDelete{"删除选定项目？", MessageBoxKind::Confirmation, "删除"};
const ShownBox kConfirmClear{"确实要清空全部项目？", MessageBoxKind::Confirmation, "清空"};

TEST(AddWordByHand, AddsExactTextsAndRefusesDuplicates) {
    FakeShell shell;
    WordList list;
    shell.add(list, "abc");
    EXPECT_EQ(shell.prompts, std::vector<std::string>{"请输入词语：|添加词语||1"});
    EXPECT_EQ(shell.labelSteps, std::vector<std::string>{"show 1"});
    shell.add(list, "abc");
    EXPECT_EQ(shell.boxes, std::vector<ShownBox>{kDuplicate});
    for (const char* other : {"ABC", " abc", "abc ", "   "}) {
        shell.add(list, other);
    }
    EXPECT_EQ(list.count(), 5);
    EXPECT_EQ(list.itemAt(4), "   ");
    EXPECT_EQ(shell.labelSteps.back(), "show 5");
    EXPECT_EQ(shell.boxes.size(), 1U);
}

TEST(AddWordByHand, CancelAndEmptyEntryChangeNothing) {
    FakeShell shell;
    WordList list;
    shell.add(list, std::nullopt);
    shell.add(list, Text());
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(shell.boxes.empty());
    EXPECT_TRUE(shell.labelSteps.empty());
}

TEST(DeleteSelectedItem, Roads) {
    FakeShell shell;
    WordList list;
    deleteSelectedItem(list, shell, shell);  // empty list: nothing at all
    EXPECT_TRUE(shell.boxes.empty());

    list.append("a");
    list.append("b");
    deleteSelectedItem(list, shell, shell);
    EXPECT_EQ(shell.boxes, std::vector<ShownBox>{kNothingSelected});
    EXPECT_TRUE(shell.labelSteps.empty());

    list.select(1);
    shell.answers.push_back(MessageBoxResult::Cancel);
    deleteSelectedItem(list, shell, shell);
    EXPECT_EQ(shell.boxes.back(), kConfirmDelete);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(shell.labelSteps, std::vector<std::string>{"show 2"});

    deleteSelectedItem(list, shell, shell);  // OK
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.itemAt(0), "a");
    EXPECT_EQ(list.selection(), WordList::kNoSelection);
    EXPECT_EQ(shell.labelSteps.back(), "show 1");

    deleteSelectedItem(list, shell, shell);  // nothing selected since the delete
    EXPECT_EQ(shell.boxes.back(), kNothingSelected);

    list.select(0);
    deleteSelectedItem(list, shell, shell);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(shell.labelSteps.back(), "hide");
    const auto shown = shell.boxes.size();
    deleteSelectedItem(list, shell, shell);
    EXPECT_EQ(shell.boxes.size(), shown);
}

TEST(ClearList, Roads) {
    FakeShell shell;
    WordList list;
    clearList(list, shell, shell);
    EXPECT_TRUE(shell.boxes.empty());

    list.append("a");
    list.select(0);
    shell.answers.push_back(MessageBoxResult::Cancel);
    clearList(list, shell, shell);
    EXPECT_EQ(shell.boxes, std::vector<ShownBox>{kConfirmClear});
    EXPECT_EQ(list.count(), 1);
    EXPECT_TRUE(shell.labelSteps.empty());

    clearList(list, shell, shell);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selection(), WordList::kNoSelection);
    EXPECT_EQ(shell.labelSteps, std::vector<std::string>{"hide"});
}

}  // namespace
}  // namespace quillmora
