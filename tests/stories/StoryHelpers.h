#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tests/stories/StoryDriver.h"

namespace quillmora::stories {

// The main window's buttons in the order the busy state switches them.
inline constexpr std::array<std::string_view, 13> kThirteenButtons = {
    "按钮1", "按钮2", "按钮3",  "按钮4",  "按钮5",  "按钮6", "按钮7",
    "按钮8", "按钮9", "按钮11", "按钮12", "按钮13", "按钮14"};

// "回车符" as the separator box holds it, in code page 936.
inline const Text kCarriageReturnChoiceText = "\xBB\xD8\xB3\xB5\xB7\xFB";

inline void expectAllButtonsEnabled(const Screen& s, bool enabled) {
    for (const auto name : kThirteenButtons) {
        EXPECT_EQ(s.enabled("main", name), enabled) << name;
    }
}

inline void expectLastMessageBox(const Screen& s, std::string_view text, std::string_view title,
                                 MessageBoxKind kind) {
    const auto boxes = s.messageBoxes();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back().text, text);
    EXPECT_EQ(boxes.back().title, title);
    EXPECT_EQ(boxes.back().kind, kind);
}

inline void expectRows(const Screen& s, std::string_view control, std::vector<Text> rows) {
    EXPECT_EQ(s.rows("main", control), rows) << control;
}

inline void expectCountLabel(const Screen& s, std::string_view label, std::string_view count) {
    if (count.empty()) {
        EXPECT_FALSE(s.visible("main", label)) << label;
    } else {
        EXPECT_TRUE(s.visible("main", label)) << label;
        EXPECT_EQ(s.caption("main", label), count) << label;
    }
}

// Adds each word with the list's "添加" button and the input box.
inline void addByHand(StoryDriver& d, std::string_view addButton,
                      std::initializer_list<std::string_view> words) {
    for (const auto word : words) {
        d.click("main", addButton);
        d.answerInputBox(Text(word));
    }
}

// A folder of its own for each story, removed at its end.
class StoryFiles {
  public:
    StoryFiles() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder_ =
            std::filesystem::temp_directory_path() /
            ("quillmora-story-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    ~StoryFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    StoryFiles(const StoryFiles&) = delete;
    StoryFiles& operator=(const StoryFiles&) = delete;

    [[nodiscard]] std::filesystem::path path(std::string_view name) const { return folder_ / name; }
    std::filesystem::path write(std::string_view name, std::string_view bytes) const {
        const auto file = path(name);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    [[nodiscard]] static std::string read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    std::filesystem::path folder_;
};

// `count` words "<prefix>0000", "<prefix>0001", ..., each ended by CR LF.
inline std::string numberedWords(std::string_view prefix, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        std::string number = std::to_string(i);
        text += prefix;
        text += std::string(4 - std::min<std::size_t>(4, number.size()), '0') + number;
        text += "\r\n";
    }
    return text;
}

// Fills both source lists through the import window, with "回车符" as both separators.
inline void importLines(StoryDriver& d, const std::filesystem::path& mainFile,
                        const std::filesystem::path& longTailFile) {
    d.click("main", "按钮3");
    d.typeText("import", "编辑框1", mainFile.string());
    d.pickItem("import", "组合框1", 0);
    d.typeText("import", "编辑框2", longTailFile.string());
    d.pickItem("import", "组合框2", 0);
    d.click("import", "按钮3");
    d.answerMessageBox(BoxAnswer::Ok);
}

}  // namespace quillmora::stories
