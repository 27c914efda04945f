// The import road end to end: a source whose path the user typed names something that cannot
// be imported. That source adds nothing, the lists keep what they held, the other source is
// still imported and "导入内容完成！" is shown.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/faults/FaultFiles.h"
#include "tests/stories/StoryDriver.h"
#include "tests/stories/StoryHelpers.h"

namespace quillmora::faults {
namespace {

using stories::BoxAnswer;
using stories::Screen;

struct BadSource {
    const char* name;
    // Makes the thing the main-word path box names, in `folder`; gives that path.
    std::function<std::filesystem::path(const FaultFolder& folder)> make;
};

void importWithBadMainSource(const BadSource& bad) {
    SCOPED_TRACE(bad.name);
    const FaultFolder folder;
    const auto badPath = bad.make(folder);
    const auto longTail = folder.write("tail.txt", "x\r\ny\r\n");
    auto d = stories::makeStoryDriver();
    stories::addByHand(*d, "按钮2", {"kept"});
    d->click("main", "按钮3");
    d->typeText("import", "编辑框1", badPath.string());
    d->pickItem("import", "组合框1", 0);
    d->typeText("import", "编辑框2", longTail.string());
    d->pickItem("import", "组合框2", 0);
    d->click("import", "按钮3");
    d->answerMessageBox(BoxAnswer::Ok);
    d->check([](const Screen& s) {
        stories::expectLastMessageBox(s, "导入内容完成！", "完成", MessageBoxKind::Information);
        stories::expectRows(s, "列表框1", {"kept"});
        stories::expectRows(s, "列表框2", {"x", "y"});
        stories::expectCountLabel(s, "标签1", "1");
        stories::expectCountLabel(s, "标签2", "2");
    });
    d->pressEscape("main");
    EXPECT_EQ(d->run(), 0);
}

TEST(ImportFaults, ASourceThatCannotBeImportedAddsNothing) {
    const std::vector<BadSource> cases = {
        {"a directory",
         [](const FaultFolder& f) {
             std::filesystem::create_directory(f / "words.txt");
             f.write("words.txt/inside.txt", "inside\r\n");
             return f / "words.txt";
         }},
        {"a wildcard that matches a word file",
         [](const FaultFolder& f) {
             f.write("words.txt", "a\r\nb\r\n");
             return f / "w*.txt";
         }},
        {"a wildcard that matches nothing", [](const FaultFolder& f) { return f / "none?.txt"; }},
        {"a sparse file of exactly 2 GiB",
         [](const FaultFolder& f) {
             makeSparseFile(f / "huge.txt", std::uintmax_t{1} << 31);
             return f / "huge.txt";
         }},
        {"a sparse file of more than 4 GiB",
         [](const FaultFolder& f) {
             makeSparseFile(f / "huge.txt", (std::uintmax_t{1} << 32) + 5);
             return f / "huge.txt";
         }},
    };
    for (const auto& bad : cases) {
        importWithBadMainSource(bad);
    }
}

TEST(ImportFaults, AFileAnotherProcessHoldsOpenAddsNothing) {
    const FaultFolder outer;
    const auto held = outer.write("held.txt", "a\r\nb\r\n");
    const FileHolder holder(held);
    ASSERT_TRUE(holder.held());
    importWithBadMainSource({"a file held open", [&](const FaultFolder&) { return held; }});
}

}  // namespace
}  // namespace quillmora::faults
