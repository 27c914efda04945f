// The Win32 file calls against real share modes and attributes: what another process holding a
// file open, or a read-only target, does to an import and an export.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>

#include "textio/FileSystem.h"

namespace quillmora {
namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using Handle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

class Win32Files : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("quillmora-win32-" +
                   std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::filesystem::path write(const std::string& name, const std::string& bytes) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Another program's handle on the file, with its access and share mode.
    static Handle holdOpen(const std::filesystem::path& path, DWORD access, DWORD share) {
        Handle handle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_NE(handle.get(), INVALID_HANDLE_VALUE);
        return handle;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_),
                                                      std::filesystem::directory_iterator()));
    }

    std::filesystem::path folder_;
};

TEST_F(Win32Files, ExistenceOfFilesFoldersAndPatterns) {
    const auto file = write("words.txt", "a");
    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(fileExists(folder_));
    EXPECT_TRUE(fileExists(folder_ / "w*.txt"));
    EXPECT_FALSE(fileExists(folder_ / "x*.txt"));
    EXPECT_FALSE(fileExists(folder_ / "missing.txt"));
    EXPECT_FALSE(fileExists({}));
}

TEST_F(Win32Files, ReadsAFileOthersAreOnlyReading) {
    const auto file = write("words.txt", "red\r\nblue\r\n");
    const Handle reader = holdOpen(file, GENERIC_READ, FILE_SHARE_READ);
    const FileContent content = readWholeFile(file);
    EXPECT_EQ(std::string(content.bytes.begin(), content.bytes.end()), "red\r\nblue\r\n");
    EXPECT_EQ(content.problem, FileProblem::None);
}

TEST_F(Win32Files, AFileHeldOpenForWritingIsNotRead) {
    const auto file = write("words.txt", "red\r\nblue\r\n");
    const Handle writer =
        holdOpen(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    const FileContent content = readWholeFile(file);
    EXPECT_TRUE(content.bytes.empty());
    EXPECT_NE(content.problem, FileProblem::None);
}

TEST_F(Win32Files, AFolderOrAMissingFileReadsAsNothing) {
    EXPECT_TRUE(readWholeFile(folder_).bytes.empty());
    EXPECT_NE(readWholeFile(folder_).problem, FileProblem::None);
    EXPECT_EQ(readWholeFile(folder_ / "missing.txt").problem, FileProblem::NotFound);
}

TEST_F(Win32Files, TheExportCreatesAndReplacesAndLeavesNoTemporaryFile) {
    const auto target = folder_ / "phrases.txt";
    EXPECT_EQ(writeWholeFile(target, "ab\r\n"), FileProblem::None);
    EXPECT_EQ(read(target), "ab\r\n");
    EXPECT_EQ(writeWholeFile(target, "cd\r\n"), FileProblem::None);
    EXPECT_EQ(read(target), "cd\r\n");
    EXPECT_EQ(entries(), 1U);
}

// Whatever the other program's share mode, its file is not replaced and the export is not
// reported as written.
TEST_F(Win32Files, AFileHeldOpenIsNotReplaced) {
    for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ},
                              DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
        const auto target = write("held.txt", "keep me");
        {
            const Handle other = holdOpen(target, GENERIC_READ, share);
            EXPECT_NE(writeWholeFile(target, "new"), FileProblem::None) << share;
        }
        EXPECT_EQ(read(target), "keep me") << share;
        EXPECT_EQ(entries(), 1U) << share;
    }
}

TEST_F(Win32Files, AReadOnlyTargetIsNotReplaced) {
    const auto target = write("locked.txt", "keep me");
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(writeWholeFile(target, "new"), FileProblem::AccessDenied);
    EXPECT_EQ(read(target), "keep me");
    EXPECT_EQ(entries(), 1U);
}

TEST_F(Win32Files, AFolderOrAMissingFolderIsNoTarget) {
    EXPECT_NE(writeWholeFile(folder_, "x"), FileProblem::None);
    EXPECT_NE(writeWholeFile(folder_ / "no such folder" / "phrases.txt", "x"), FileProblem::None);
    EXPECT_EQ(entries(), 0U);
}

}  // namespace
}  // namespace quillmora
