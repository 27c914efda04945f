#include "textio/Export.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

#include "TestFiles.h"
#include "textio/BatchImport.h"
#include "textio/FileSystem.h"
#include "textio/PhraseFile.h"

namespace quillmora {
namespace {

using testing::readFile;
using testing::runInChild;
using testing::TestFolder;

WordList listOf(std::initializer_list<std::string_view> items) {
    WordList list;
    for (const auto item : items) {
        list.append(item);
    }
    return list;
}

struct FakeShell : SaveDialogService, MessageBoxService {
    std::optional<std::filesystem::path> answer;
    int dialogs = 0;
    std::vector<std::string> boxes;

    std::optional<std::filesystem::path> askSavePath() override {
        ++dialogs;
        return answer;
    }
    MessageBoxResult showMessageBox(std::string_view text, MessageBoxKind kind,
                                    std::string_view title) override {
        boxes.push_back(std::string(text) + "|" + std::string(title) + "|" +
                        std::to_string(static_cast<int>(kind)));
        return MessageBoxResult::Ok;
    }
    void exportList(const WordList& list) { exportCombinedList(list, *this, *this, *this); }
    // The program's own writer, so the faults below are real ones.
    FileProblem operator()(const std::filesystem::path& path, std::string_view bytes) const {
        return writeWholeFile(path, bytes);
    }
};

const std::string kExported = "导出成功！|完成|64";

TEST(PhraseFileContent, EveryNonEmptyItemFollowedByCrLf) {
    EXPECT_EQ(phraseFileContent(listOf({"ab", "cd"})), "ab\r\ncd\r\n");
    EXPECT_EQ(phraseFileContent(listOf({"ab"})), "ab\r\n");
    EXPECT_EQ(phraseFileContent(listOf({"a", "", "b\r\n"})), "a\r\nb\r\n\r\n");
    EXPECT_EQ(phraseFileContent(listOf({"\xBA\xEC\xC9\xAB"})), "\xBA\xEC\xC9\xAB\r\n");
    EXPECT_EQ(phraseFileContent(WordList()), "");
}

TEST(ExportCombinedList, WritesTheFileAndThenSaysSo) {
    const TestFolder folder;
    FakeShell shell;
    shell.answer = folder / "phrases.txt";
    shell.exportList(listOf({"ab", "cd"}));
    EXPECT_EQ(readFile(folder / "phrases.txt"), "ab\r\ncd\r\n");
    EXPECT_EQ(shell.boxes, std::vector<std::string>{kExported});

    // A longer old file leaves no tail; the same export twice gives the same file.
    folder.write("phrases.txt", std::string(1000, 'z'));
    shell.exportList(listOf({"ab", "cd"}));
    shell.exportList(listOf({"ab", "cd"}));
    EXPECT_EQ(readFile(folder / "phrases.txt"), "ab\r\ncd\r\n");
    EXPECT_EQ(shell.boxes.size(), 3u);
}

TEST(ExportCombinedList, AnExportedFileImportsBackAsItsLines) {
    const TestFolder folder;
    FakeShell shell;
    shell.answer = folder / "phrases.txt";
    shell.exportList(
        listOf({"\xBA\xEC\xC9\xAB"
                "car",
                "one\r\ntwo"}));
    WordList imported;
    importSource({folder / "phrases.txt", Text(kCarriageReturnChoice)}, imported);
    ASSERT_EQ(imported.count(), 3);
    EXPECT_EQ(imported.itemAt(0),
              "\xBA\xEC\xC9\xAB"
              "car");
    EXPECT_EQ(imported.itemAt(1), "one");
    EXPECT_EQ(imported.itemAt(2), "two");
}

TEST(ExportCombinedList, AnEmptyListOrACancelledDialogDoesNothing) {
    const TestFolder folder;
    const auto file = folder.write("phrases.txt", "old");
    FakeShell shell;
    shell.answer = file;
    shell.exportList(WordList());
    EXPECT_EQ(shell.dialogs, 0);
    shell.answer.reset();
    shell.exportList(listOf({"ab"}));
    EXPECT_EQ(shell.dialogs, 1);
    EXPECT_EQ(readFile(file), "old");
    EXPECT_TRUE(shell.boxes.empty());
}

TEST(ExportCombinedList, AFailedWriteShowsNothingAndKeepsTheOldFile) {
    const TestFolder folder;
    const auto readOnly = folder.write("readonly.txt", "old");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    std::filesystem::create_directory(folder / "sub");
    FakeShell shell;
    for (const auto& target : {readOnly, folder / "sub", folder / "missing" / "x.txt"}) {
        shell.answer = target;
        shell.exportList(listOf({"ab"}));
    }
    EXPECT_TRUE(shell.boxes.empty());
    EXPECT_EQ(readFile(readOnly), "old");
}

TEST(ExportCombinedList, AFullDiskShowsNothingAndLeavesNoTemporaryFile) {
    const TestFolder folder;
    const auto file = folder.write("phrases.txt", "old\r\n");
    WordList big;
    for (int i = 0; i < 20000; ++i) {
        big.append("phrase " + std::to_string(i));
    }
    const int status = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16 * 1024, 16 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        FakeShell shell;
        shell.answer = file;
        shell.exportList(big);
        return shell.boxes.empty() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(file), "old\r\n");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"phrases.txt"});
}

}  // namespace
}  // namespace quillmora
