// The export road end to end: the user combines, clicks "导出", and the save dialog returns a
// path the write cannot or must not go through. The old file must stay byte for byte as it
// was, and "导出成功！" may appear only after a complete write.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/faults/FaultFiles.h"
#include "tests/stories/StoryDriver.h"
#include "tests/stories/StoryHelpers.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace quillmora::faults {
namespace {

using stories::BoxAnswer;
using stories::makeStoryDriver;
using stories::StoryDriver;

constexpr std::string_view kOld = "old phrase\r\nkept as it was\r\n";
// 甲x 甲y 乙x 乙y in code page 936: what the four phrases of the story make on disk.
const std::string kPhrases = "\xBC\xD7x\r\n\xBC\xD7y\r\n\xD2\xD2x\r\n\xD2\xD2y\r\n";

int exportSuccesses(const StoryDriver& d) {
    const auto boxes = d.screen().messageBoxes();
    return static_cast<int>(std::count_if(
        boxes.begin(), boxes.end(), [](const auto& box) { return box.text == "导出成功！"; }));
}

// Two main words and two long-tail words by hand, one run, then "导出" to `target`. The story
// answers "导出成功！" only when `expectSuccess`: a box it does not expect fails the story.
std::unique_ptr<StoryDriver> exportTo(const std::filesystem::path& target, bool expectSuccess) {
    auto d = makeStoryDriver();
    stories::addByHand(*d, "按钮2", {"\xBC\xD7", "\xD2\xD2"});
    stories::addByHand(*d, "按钮6", {"x", "y"});
    d->click("main", "按钮14");
    d->answerMessageBox(BoxAnswer::Ok);
    d->click("main", "按钮11");
    d->answerFileDialog(target);
    if (expectSuccess) {
        d->answerMessageBox(BoxAnswer::Ok);
    }
    d->pressEscape("main");
    EXPECT_EQ(d->run(), 0);
    EXPECT_EQ(exportSuccesses(*d), expectSuccess ? 1 : 0);
    return d;
}

TEST(ExportFaults, AReadOnlyTargetIsNotReplaced) {
    const FaultFolder folder;
    const auto target = folder.write("phrases.txt", kOld);
    std::filesystem::permissions(target, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::group_read |
                                             std::filesystem::perms::others_read);
    exportTo(target, false);
    EXPECT_EQ(readFile(target), kOld);
    EXPECT_EQ(folder.entries().size(), 1u);
}

TEST(ExportFaults, ATargetAnotherProcessHoldsOpenIsNotReplaced) {
    const FaultFolder folder;
    const auto target = folder.write("phrases.txt", kOld);
    {
        const FileHolder holder(target);
        ASSERT_TRUE(holder.held());
        exportTo(target, false);
    }
    EXPECT_EQ(readFile(target), kOld);
    EXPECT_EQ(folder.entries().size(), 1u);
    // Once the other program lets go, the same export goes through.
    exportTo(target, true);
    EXPECT_EQ(readFile(target), kPhrases);
}

TEST(ExportFaults, ADirectoryIsNotReplaced) {
    const FaultFolder folder;
    const auto directory = folder / "phrases.txt";
    std::filesystem::create_directory(directory);
    const auto inside = folder.write("phrases.txt/inside.txt", kOld);
    exportTo(directory, false);
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    EXPECT_EQ(readFile(inside), kOld);
    EXPECT_EQ(folder.entries().size(), 1u);
}

TEST(ExportFaults, APathWithWildcardsWritesNothing) {
    const FaultFolder folder;
    const auto old = folder.write("phrases.txt", kOld);
    for (const char* name : {"phr?ses.txt", "*.txt", "phrases*"}) {
        SCOPED_TRACE(name);
        exportTo(folder / name, false);
        EXPECT_EQ(readFile(old), kOld);
        EXPECT_EQ(folder.entries().size(), 1u);
    }
}

TEST(ExportFaults, AFolderThatDoesNotExistWritesNothing) {
    const FaultFolder folder;
    exportTo(folder / "missing" / "phrases.txt", false);
    EXPECT_TRUE(folder.entries().empty());
}

// A path longer than the 259 bytes a save dialog can return still names the file the user
// meant: it is written whole, and a longer old file there leaves no tail.
TEST(ExportFaults, APathLongerThan259BytesIsWrittenWhole) {
    const FaultFolder folder;
    auto deep = folder.path();
    for (const char c : {'a', 'b', 'c'}) {
        deep /= std::string(90, c);
    }
    std::filesystem::create_directories(deep);
    const auto target = deep / "phrases.txt";
    ASSERT_GT(target.native().size(), 259u);
    std::ofstream(target, std::ios::binary) << "a much longer old file than the new one\r\n";
    exportTo(target, true);
    EXPECT_EQ(readFile(target), kPhrases);
}

// A file of 2 GiB and more, which the import refuses, is still an ordinary target: replaced by
// exactly the new content, no tail of the old one left.
TEST(ExportFaults, ASparseFileOf2GiBIsReplacedWhole) {
    const FaultFolder folder;
    const auto target = folder / "huge.txt";
    makeSparseFile(target, (std::uintmax_t{1} << 31) + 5);
    exportTo(target, true);
    EXPECT_EQ(std::filesystem::file_size(target), kPhrases.size());
    EXPECT_EQ(readFile(target), kPhrases);
}

#ifndef _WIN32
// The file size limit stands in for a full disk: `limit` bytes fit, the content does not.
int exportUnderSizeLimit(const std::filesystem::path& target, rlim_t limit, bool ignoreSignal) {
    return runInChild([&] {
        if (ignoreSignal) {
            std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
        }
        const rlimit rl{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) {
            return 2;
        }
        ::testing::GTEST_FLAG(throw_on_failure) = true;
        exportTo(target, false);
        return 0;
    });
}

TEST(ExportFaults, AFullDiskLeavesTheOldFileAndNoTemporaryFile) {
    for (const rlim_t limit :
         {rlim_t{0}, rlim_t{1}, rlim_t{kPhrases.size() / 2}, rlim_t{kPhrases.size() - 1}}) {
        SCOPED_TRACE(limit);
        const FaultFolder folder;
        const auto target = folder.write("phrases.txt", kOld);
        EXPECT_EQ(exportUnderSizeLimit(target, limit, true), 0);
        EXPECT_EQ(readFile(target), kOld);
        EXPECT_EQ(folder.entries().size(), 1u);
    }
}

// The program dies halfway through the write (the default action of SIGXFSZ ends it at the
// limit): half the bytes are out, yet the old file is untouched.
TEST(ExportFaults, AnExportKilledHalfwayLeavesTheOldFile) {
    const FaultFolder folder;
    const auto target = folder.write("phrases.txt", kOld);
    EXPECT_EQ(exportUnderSizeLimit(target, kPhrases.size() / 2, false), 128 + SIGXFSZ);
    EXPECT_EQ(readFile(target), kOld);
    // What a dead process cannot clean up is its own temporary file, never a cut-off target.
    for (const auto& name : folder.entries()) {
        if (name != "phrases.txt") {
            EXPECT_TRUE(name.string().starts_with(".quillmora-")) << name;
            EXPECT_EQ(name.extension(), ".tmp") << name;
        }
    }
}
#endif

}  // namespace
}  // namespace quillmora::faults
