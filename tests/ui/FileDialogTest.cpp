#include "ui/FileDialog.h"

#include <gtest/gtest.h>

#include "ui/headless/HeadlessPlatform.h"

namespace quillmora {
namespace {

TEST(FileDialogFilter, IsTrimmedEndedAndParsedIntoPairs) {
    struct Case {
        std::string_view filter;
        std::string_view normalized;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Case cases[] = {
        {"文本文件（*.txt）|*.txt", "文本文件（*.txt）|*.txt||", {{"文本文件（*.txt）", "*.txt"}}},
        {"文本文件（*.txt）|*.txt||",
         "文本文件（*.txt）|*.txt||",
         {{"文本文件（*.txt）", "*.txt"}}},
        {"Text|*.txt \t\r\n", "Text|*.txt||", {{"Text", "*.txt"}}},
        {"Text|*.txt|All|*.*", "Text|*.txt|All|*.*||", {{"Text", "*.txt"}, {"All", "*.*"}}},
        {"Text|*.txt||All|*.*", "Text|*.txt||All|*.*||", {{"Text", "*.txt"}}},
        {"Text|*.txt|All", "Text|*.txt|All||", {{"Text", "*.txt"}}},
        {"Text", "Text||", {}},
        {"", "", {}},
        {" \t\r\n", "", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(normalizedFilter(c.filter), c.normalized) << c.filter;
        std::vector<std::pair<std::string, std::string>> entries;
        for (const auto& f : parseFilter(c.filter)) {
            entries.emplace_back(f.description, f.pattern);
        }
        EXPECT_EQ(entries, c.entries) << c.filter;
    }
}

TEST(FileDialogRequestFromSettings, SelectsAnEntryAndPassesTheSettingsOn) {
    FileDialog dialog{.kind = FileDialogRequest::Kind::Save,
                      .title = "选定保存的位置",
                      .filter = "A|*.a|B|*.b",
                      .initialFilter = -3,
                      .defaultExtension = "txt",
                      .fileMustExist = true,
                      .overwritePrompt = true,
                      .pathMustExist = true};
    FileDialogRequest request = fileDialogRequest(dialog);
    EXPECT_EQ(request.kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(request.title, "选定保存的位置");
    EXPECT_EQ(request.filters.size(), 2U);
    EXPECT_EQ(request.selectedFilter, 0);  // below 0 counts as 0
    EXPECT_TRUE(request.initialFile.empty());
    EXPECT_EQ(request.defaultExtension, "txt");
    EXPECT_FALSE(request.createPrompt);
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_TRUE(request.pathMustExist);
    EXPECT_FALSE(request.keepCurrentDirectory);

    dialog.initialFilter = 1;
    EXPECT_EQ(fileDialogRequest(dialog).selectedFilter, 1);
    dialog.filter = "";
    EXPECT_EQ(fileDialogRequest(dialog).selectedFilter, 0);
    EXPECT_TRUE(fileDialogRequest(dialog).filters.empty());
}

TEST(ShowFileDialog, KeepsTheFileNameUnlessConfirmed) {
    headless::HeadlessPlatform platform;
    FileDialog dialog{.filter = "Text|*.txt"};
    platform.answerFileDialog(std::filesystem::path("/data/first.txt"));
    EXPECT_TRUE(showFileDialog(platform, dialog));
    EXPECT_EQ(dialog.fileName, "/data/first.txt");

    platform.answerFileDialog(std::nullopt);
    EXPECT_FALSE(showFileDialog(platform, dialog));
    EXPECT_EQ(dialog.fileName, "/data/first.txt");
    EXPECT_EQ(platform.fileDialogs().back().initialFile, "/data/first.txt");
}

}  // namespace
}  // namespace quillmora
