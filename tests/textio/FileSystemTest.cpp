#include "textio/FileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

#include "TestFiles.h"

namespace quillmora {
namespace {

using testing::becomeNobody;
using testing::readFile;
using testing::runInChild;
using testing::TestFolder;

constexpr std::uint64_t k2GiB = std::uint64_t{1} << 31;

void makeSparse(const std::filesystem::path& file, std::uint64_t size) {
    std::ofstream(file, std::ios::binary).put('x');
    std::filesystem::resize_file(file, size);
}

// Another process holding an exclusive flock on a file, for as long as this object lives.
class LockHolder {
  public:
    explicit LockHolder(const std::filesystem::path& file) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) {
            std::abort();
        }
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            const int fd = ::open(file.c_str(), O_RDONLY);
            const char ok = (fd >= 0 && ::flock(fd, LOCK_EX) == 0) ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1);  // until the parent closes its end
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char ok = 'n';
        (void)!::read(ready[0], &ok, 1);
        ::close(ready[0]);
        locked_ = ok == 'y';
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    ~LockHolder() {
        ::close(release_);
        ::waitpid(child_, nullptr, 0);
    }
    [[nodiscard]] bool locked() const { return locked_; }

  private:
    pid_t child_ = -1;
    int release_ = -1;
    bool locked_ = false;
};

TEST(FileExists, NamesOfEntriesAndWildcards) {
    const TestFolder folder;
    folder.write("words.txt", "a");
    std::filesystem::create_directory(folder / "sub");
    EXPECT_TRUE(fileExists(folder / "words.txt"));
    EXPECT_TRUE(fileExists(folder / "sub"));
    EXPECT_FALSE(fileExists(folder / "missing.txt"));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(folder / "words.txt" / "x"));
    EXPECT_TRUE(fileExists(folder / "*.txt"));
    EXPECT_TRUE(fileExists(folder / "word?.txt"));
    EXPECT_FALSE(fileExists(folder / "*.csv"));
    // A wildcard in a folder name is not a search, it is a name nothing can have.
    EXPECT_FALSE(fileExists(folder.path() / "s*" / "x"));
    // Brackets are plain characters, not a character class.
    folder.write("[a].txt", "a");
    EXPECT_TRUE(fileExists(folder / "[a]*"));
    EXPECT_FALSE(fileExists(folder / "[ab]*"));
}

TEST(ReadWholeFile, ReadsEveryByteIncludingNul) {
    const TestFolder folder;
    const std::string bytes("a\0\xB0\xA1\r\n", 6);
    const FileContent content = readWholeFile(folder.write("words.txt", bytes));
    EXPECT_EQ(content.bytes, bytes);
    EXPECT_EQ(content.problem, FileProblem::None);
    const FileContent empty = readWholeFile(folder.write("empty.txt", ""));
    EXPECT_EQ(empty.bytes, "");
    EXPECT_EQ(empty.problem, FileProblem::None);
}

TEST(ReadWholeFile, SaysWhyWhenItGivesNothing) {
    const TestFolder folder;
    folder.write("words.txt", "abc");
    struct Case {
        std::filesystem::path path;
        FileProblem problem;
    };
    const std::vector<Case> cases = {
        {"", FileProblem::InvalidName},
        {folder / "missing.txt", FileProblem::NotFound},
        {folder / "words.txt" / "x", FileProblem::NotFound},
        {folder.path(), FileProblem::IsDirectory},
        {folder / "*.txt", FileProblem::InvalidName},
        {folder / std::string(300, 'n'), FileProblem::InvalidName},
    };
    for (const auto& c : cases) {
        const FileContent content = readWholeFile(c.path);
        EXPECT_EQ(content.bytes, "") << c.path;
        EXPECT_EQ(content.problem, c.problem) << c.path;
    }
}

TEST(ReadWholeFile, RefusesFilesOf2GiBAndMore) {
    const TestFolder folder;
    for (const std::uint64_t size : {k2GiB, k2GiB + 1, 2 * k2GiB + 1}) {
        const auto file = folder / "big.txt";
        makeSparse(file, size);
        const FileContent content = readWholeFile(file);
        EXPECT_EQ(content.bytes, "") << size;
        EXPECT_EQ(content.problem, FileProblem::TooLarge) << size;
    }
}

TEST(ReadWholeFile, AFileWithoutReadRightIsAccessDenied) {
    const TestFolder folder;
    const auto file = folder.write("secret.txt", "abc");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    if (::geteuid() != 0) {
        EXPECT_EQ(readWholeFile(file).problem, FileProblem::AccessDenied);
        return;
    }
    // Root reads a file of mode 000 all the same; a child with the rights of "nobody" cannot.
    const int status = runInChild([&] {
        if (!becomeNobody()) {
            return 2;
        }
        const FileContent content = readWholeFile(file);
        return content.bytes.empty() && content.problem == FileProblem::AccessDenied ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
}

TEST(ReadWholeFile, AFileAnotherProcessHoldsIsInUse) {
    const TestFolder folder;
    const auto file = folder.write("held.txt", "abc");
    {
        const LockHolder holder(file);
        ASSERT_TRUE(holder.locked());
        const FileContent content = readWholeFile(file);
        EXPECT_EQ(content.bytes, "");
        EXPECT_EQ(content.problem, FileProblem::InUse);
    }
    EXPECT_EQ(readWholeFile(file).bytes, "abc");
}

TEST(ReadWholeFile, ReadsThroughPathsLongerThan259Bytes) {
    const TestFolder folder;
    auto deep = folder.path();
    for (int i = 0; i < 3; ++i) {
        deep /= std::string(100, static_cast<char>('a' + i));
    }
    std::filesystem::create_directories(deep);
    const auto file = deep / "words.txt";
    ASSERT_GT(file.native().size(), 259u);
    EXPECT_EQ(writeWholeFile(file, "a\r\n"), FileProblem::None);
    EXPECT_TRUE(fileExists(file));
    EXPECT_EQ(readWholeFile(file).bytes, "a\r\n");
}

TEST(WriteWholeFile, CreatesAndReplacesWithExactlyTheBytes) {
    const TestFolder folder;
    const auto file = folder / "out.txt";
    EXPECT_EQ(writeWholeFile(file, "a much longer old content\r\n"), FileProblem::None);
    EXPECT_EQ(writeWholeFile(file, std::string("ab\0\r\n", 5)), FileProblem::None);
    EXPECT_EQ(readFile(file), std::string("ab\0\r\n", 5));
    EXPECT_EQ(writeWholeFile(file, ""), FileProblem::None);
    EXPECT_EQ(readFile(file), "");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.txt"});
}

TEST(WriteWholeFile, KeepsTheModeOfTheFileItReplaces) {
    const TestFolder folder;
    const auto file = folder.write("out.txt", "old");
    ::chmod(file.c_str(), 0640);
    ASSERT_EQ(writeWholeFile(file, "new"), FileProblem::None);
    struct stat info {};
    ::stat(file.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(WriteWholeFile, ReplacesTheFileBehindASymbolicLink) {
    const TestFolder folder;
    const auto real = folder.write("real.txt", "old");
    std::filesystem::create_symlink(real, folder / "link.txt");
    ASSERT_EQ(writeWholeFile(folder / "link.txt", "new"), FileProblem::None);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(readFile(real), "new");
}

TEST(WriteWholeFile, RefusesTargetsItMustNotReplace) {
    const TestFolder folder;
    const auto readOnly = folder.write("readonly.txt", "old");
    std::filesystem::permissions(
        readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    std::filesystem::create_directory(folder / "sub");
    EXPECT_EQ(writeWholeFile(readOnly, "new"), FileProblem::AccessDenied);
    EXPECT_EQ(readFile(readOnly), "old");
    EXPECT_EQ(writeWholeFile(folder / "sub", "new"), FileProblem::IsDirectory);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "sub"));
    EXPECT_EQ(writeWholeFile(folder / "missing" / "out.txt", "new"), FileProblem::NotFound);
    EXPECT_EQ(writeWholeFile(folder / "a*.txt", "new"), FileProblem::InvalidName);
    EXPECT_EQ(writeWholeFile(folder / std::string(300, 'n'), "new"), FileProblem::InvalidName);
    EXPECT_EQ(writeWholeFile("", "new"), FileProblem::InvalidName);
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"readonly.txt", "sub"}));
}

TEST(WriteWholeFile, AFolderWithoutWriteRightIsAccessDenied) {
    const TestFolder folder;
    std::filesystem::create_directory(folder / "locked");
    const auto file = folder / "locked" / "out.txt";
    std::ofstream(file) << "old";
    std::filesystem::permissions(file, std::filesystem::perms::all);
    ::chmod((folder / "locked").c_str(), 0555);
    // Root may write in any folder; "nobody" may write the file but not the folder it is in.
    const int status = runInChild([&] {
        if (::geteuid() == 0 && !becomeNobody()) {
            return 2;
        }
        return writeWholeFile(file, "new") == FileProblem::AccessDenied ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(file), "old");
}

TEST(WriteWholeFile, DoesNotReplaceAFileAnotherProcessHolds) {
    const TestFolder folder;
    const auto file = folder.write("held.txt", "old");
    {
        const LockHolder holder(file);
        ASSERT_TRUE(holder.locked());
        EXPECT_EQ(writeWholeFile(file, "new"), FileProblem::InUse);
    }
    EXPECT_EQ(readFile(file), "old");
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"held.txt"});
}

TEST(WriteWholeFile, AFullDiskLeavesTheOldFileAsItWas) {
    const TestFolder folder;
    const std::string old = "old content\r\n";
    const auto file = folder.write("out.txt", old);
    const std::string big(1 << 20, 'x');
    const int status = runInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);  // the write then fails with EFBIG instead
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            return 2;
        }
        return writeWholeFile(file, big) == FileProblem::DiskFull ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(file), old);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"out.txt"});
}

}  // namespace
}  // namespace quillmora
