#include "textio/BatchImport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"

namespace quillmora {
namespace {

using testing::TestFolder;

const std::string kCarriageReturn(kCarriageReturnChoice);

std::vector<std::string> itemsOf(const WordList& list) {
    std::vector<std::string> items;
    for (WordList::Position p = 0; p < list.count(); ++p) {
        items.push_back(list.itemAt(p));
    }
    return items;
}

// The main window's count labels and message box, as a record of what the user saw.
struct FakeWindow : MessageBoxService {
    struct Label : CountLabel {
        std::vector<std::string>* steps;
        std::string name;
        Label(std::vector<std::string>* s, std::string n) : steps(s), name(std::move(n)) {}
        void showCount(const WordList& list) override {
            steps->push_back(name + " " + std::to_string(list.count()));
        }
        void hideCount() override { steps->push_back(name + " hidden"); }
    };
    std::vector<std::string> steps;
    Label mainLabel{&steps, "main"};
    Label longTailLabel{&steps, "tail"};
    WordList mainWords;
    WordList longTailWords;

    MessageBoxResult showMessageBox(std::string_view text, MessageBoxKind kind,
                                    std::string_view title) override {
        steps.push_back(std::string(text) + "|" + std::string(title) + "|" +
                        std::to_string(static_cast<int>(kind)));
        return MessageBoxResult::Ok;
    }
    void import(const ImportSource& mainSource, const ImportSource& longTailSource) {
        batchImport(mainSource, longTailSource, mainWords, longTailWords, mainLabel, longTailLabel,
                    *this);
    }
};

const std::string kDone = "导入内容完成！|完成|64";

TEST(SeparatorFor, OnlyTheExactChoiceStandsForCrLf) {
    EXPECT_EQ(separatorFor(kCarriageReturn), "\r\n");
    EXPECT_EQ(separatorFor(kCarriageReturn + " "), kCarriageReturn + " ");
    EXPECT_EQ(separatorFor("回车符"), "回车符");  // the UTF-8 spelling is other bytes
    EXPECT_EQ(separatorFor(""), "");
    EXPECT_EQ(separatorFor("\\r\\n"), "\\r\\n");
    EXPECT_EQ(separatorFor(","), ",");
}

TEST(ImportSource, SplitsAtTheSeparatorAndSkipsEmptyAndKnownPieces) {
    const TestFolder folder;
    struct Case {
        std::string content;
        std::string separatorBox;
        std::vector<std::string> items;
    };
    const std::vector<Case> cases = {
        {"a\r\nb\r\n\r\na\r\n", kCarriageReturn, {"a", "b"}},
        {"a\r\nb\r\n", "", {"a\r\nb\r\n"}},
        {"a,b,,c", ",", {"a", "b", "c"}},
        {"a\\r\\nb\r\nc", "\\r\\n", {"a", "b\r\nc"}},
        {"x" + kCarriageReturn + " y" + kCarriageReturn + "z",
         kCarriageReturn + " ",
         {"x", "y" + kCarriageReturn + "z"}},
        {"\xB0\xA1\r\n\xB0\xA2\r\n", kCarriageReturn, {"\xB0\xA1", "\xB0\xA2"}},
        {"a\nb\n", kCarriageReturn, {"a\nb\n"}},
        {std::string("a\r\n\0b\r\n", 6), kCarriageReturn, {"a"}},
    };
    for (const auto& c : cases) {
        WordList list;
        importSource({folder.write("words.txt", c.content), c.separatorBox}, list);
        EXPECT_EQ(itemsOf(list), c.items) << c.content;
        EXPECT_EQ(list.selection(), WordList::kNoSelection);
    }
}

TEST(ImportSource, KeepsWhatTheListHeldAndItsSelection) {
    const TestFolder folder;
    const auto file = folder.write("words.txt", "b\r\nc\r\na\r\n");
    WordList list;
    list.append("a");
    list.append("z");
    list.select(1);
    importSource({file, kCarriageReturn}, list);
    EXPECT_EQ(itemsOf(list), (std::vector<std::string>{"a", "z", "b", "c"}));
    EXPECT_EQ(list.selection(), 1);
    importSource({file, kCarriageReturn}, list);  // the same file again adds nothing
    EXPECT_EQ(list.count(), 4);
}

TEST(ImportSource, SkipsSourcesThatGiveNothing) {
    const TestFolder folder;
    folder.write("words.txt", "a");
    const std::vector<std::filesystem::path> paths = {
        "",
        folder / "missing.txt",
        folder.path(),
        folder.write("empty.txt", ""),
        folder.write("nul.txt", std::string("\0a", 2)),
        folder / "*.txt",
    };
    for (const auto& path : paths) {
        WordList list;
        importSource({path, kCarriageReturn}, list);
        EXPECT_EQ(list.count(), 0) << path;
    }
}

TEST(BatchImport, BothSourcesThenTheLabelsThenTheMessage) {
    const TestFolder folder;
    const auto mainFile = folder.write("main.txt", "red\r\nblue\r\n");
    const auto tailFile = folder.write("tail.txt", "car,bike,car");
    FakeWindow window;
    window.import({mainFile, kCarriageReturn}, {tailFile, ","});
    EXPECT_EQ(itemsOf(window.mainWords), (std::vector<std::string>{"red", "blue"}));
    EXPECT_EQ(itemsOf(window.longTailWords), (std::vector<std::string>{"car", "bike"}));
    EXPECT_EQ(window.steps, (std::vector<std::string>{"main 2", "tail 2", kDone}));

    // Imported again: nothing new, the labels show the same counts once more.
    window.steps.clear();
    window.import({mainFile, kCarriageReturn}, {tailFile, ","});
    EXPECT_EQ(window.mainWords.count(), 2);
    EXPECT_EQ(window.steps, (std::vector<std::string>{"main 2", "tail 2", kDone}));
}

TEST(BatchImport, EmptyPathsChangeNothingButStillReport) {
    FakeWindow window;
    window.import({"", ""}, {"", kCarriageReturn});
    EXPECT_EQ(window.mainWords.count(), 0);
    EXPECT_EQ(window.longTailWords.count(), 0);
    EXPECT_EQ(window.steps, std::vector<std::string>{kDone});
}

TEST(BatchImport, AMissingMainFileDoesNotStopTheLongTail) {
    const TestFolder folder;
    const auto tailFile = folder.write("tail.txt", "x\r\ny\r\n");
    FakeWindow window;
    window.import({folder / "missing.txt", kCarriageReturn}, {tailFile, kCarriageReturn});
    EXPECT_EQ(window.mainWords.count(), 0);
    EXPECT_EQ(itemsOf(window.longTailWords), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(window.steps, (std::vector<std::string>{"tail 2", kDone}));
}

TEST(BatchImport, AnEmptyLongTailKeepsItsLabelHidden) {
    const TestFolder folder;
    const auto mainFile = folder.write("main.txt", "a\r\n");
    FakeWindow window;
    window.import({mainFile, kCarriageReturn},
                  {folder.write("tail.txt", "\r\n\r\n"), kCarriageReturn});
    EXPECT_EQ(window.steps, (std::vector<std::string>{"main 1", kDone}));
}

TEST(BatchImport, TheSameFileFillsBothListsEachOnItsOwn) {
    const TestFolder folder;
    const auto file = folder.write("words.txt", "a\r\nb\r\n");
    FakeWindow window;
    window.longTailWords.append("b");
    window.import({file, kCarriageReturn}, {file, kCarriageReturn});
    EXPECT_EQ(itemsOf(window.mainWords), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(itemsOf(window.longTailWords), (std::vector<std::string>{"b", "a"}));
}

}  // namespace
}  // namespace quillmora
