// The file calls on POSIX systems. The rules come from the Windows program: a read denies other
// writers, a write is shared with nobody. POSIX has no share modes, so both take an advisory
// flock, which every copy of this program honours; a file another process holds an exclusive
// lock on counts as held open.

#include <fcntl.h>
#include <glob.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <new>
#include <string>

#include "textio/FileReplacement.h"
#include "textio/FileSystem.h"

namespace quillmora {

namespace {

constexpr std::uint64_t kMaxFileSize = (std::uint64_t{1} << 31) - 1;

bool hasWildcard(const std::string& s) {
    return s.find_first_of("*?") != std::string::npos;
}

FileProblem problemOf(int error, FileProblem otherwise) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return FileProblem::NotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return FileProblem::AccessDenied;
        case EISDIR:
            return FileProblem::IsDirectory;
        case ENAMETOOLONG:
        case EILSEQ:
        case EINVAL:
        case ELOOP:
            return FileProblem::InvalidName;
        case ENOMEM:
            return FileProblem::OutOfMemory;
        case ENOSPC:
        case EFBIG:
        case EDQUOT:
            return FileProblem::DiskFull;
        case ETXTBSY:
        case EWOULDBLOCK:
            return FileProblem::InUse;
        default:
            return otherwise;
    }
}

// Closes the descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd = -1) noexcept : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(); }
    [[nodiscard]] int get() const noexcept { return fd_; }
    [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }
    void adopt(int fd) noexcept {
        reset();
        fd_ = fd;
    }
    // Closes now and tells whether the close went well (a delayed write error shows here).
    bool reset() noexcept {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// A wildcard only matches within the last component, as a directory search does; brackets and
// backslashes in the name are taken literally.
bool wildcardMatches(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash != std::string::npos && hasWildcard(path.substr(0, slash))) {
        return false;
    }
    std::string pattern;
    for (const char c : path) {
        if (c == '[' || c == ']' || c == '\\') {
            pattern.push_back('\\');
        }
        pattern.push_back(c);
    }
    glob_t found{};
    const int result = ::glob(pattern.c_str(), GLOB_NOSORT, nullptr, &found);
    const bool matched = result == 0 && found.gl_pathc > 0;
    ::globfree(&found);
    return matched;
}

// Removes the temporary file of a write unless the write went through.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() { discard(); }
    void discard() noexcept {
        descriptor.reset();
        if (!path.empty() && !kept) {
            ::unlink(path.c_str());
            path.clear();
        }
    }
    std::string path;
    Descriptor descriptor;
    bool kept = false;
};

// Creates a fresh file next to the target. Created with 0666, so the umask applies as for any
// new file; the name is short so that it fits wherever the target's name does.
FileProblem createTemporaryBeside(const std::filesystem::path& target, TemporaryFile& temporary) {
    const std::filesystem::path folder = target.parent_path();
    const auto seed =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (std::uint64_t attempt = 0; attempt < 100; ++attempt) {
        const std::uint64_t mixed = (seed + attempt * 0x9E3779B97F4A7C15ULL) ^
                                    (static_cast<std::uint64_t>(::getpid()) << 32);
        char name[40];
        std::snprintf(name, sizeof name, ".quillmora-%016llx.tmp",
                      static_cast<unsigned long long>(mixed));
        const std::string candidate = (folder / name).string();
        const int fd =
            openRetrying(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            temporary.path = candidate;
            temporary.descriptor.adopt(fd);
            return FileProblem::None;
        }
        if (errno != EEXIST) {
            return problemOf(errno, FileProblem::WriteFailed);
        }
    }
    return FileProblem::WriteFailed;
}

FileProblem writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, p, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return problemOf(errno, FileProblem::WriteFailed);
        }
        if (written == 0) {
            return FileProblem::WriteFailed;
        }
        p += written;
        left -= static_cast<std::size_t>(written);
    }
    return FileProblem::None;
}

void syncFolder(const std::filesystem::path& folder) {
    const Descriptor dir(
        openRetrying(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) {
        ::fsync(dir.get());  // the rename is durable once the folder is; best effort
    }
}

}  // namespace

bool fileExists(const std::filesystem::path& path) {
    const std::string& native = path.native();
    if (native.empty()) {
        return false;
    }
    if (hasWildcard(native)) {
        return wildcardMatches(native);
    }
    struct stat info {};
    return ::lstat(native.c_str(), &info) == 0;
}

namespace {

// A big read buffer is first touched by the read itself; taking it in huge pages rather than
// 4 KiB ones saves most of the time of reading a large word file. Only a hint.
void adviseHugePages(char* buffer, std::size_t size) noexcept {
    constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
    const auto begin =
        (reinterpret_cast<std::uintptr_t>(buffer) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(kHugePage - 1);
    if (end > begin) {
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

}  // namespace

FileContent readWholeFile(const std::filesystem::path& path) {
    const std::string& native = path.native();
    if (native.empty() || hasWildcard(native)) {
        return {{}, FileProblem::InvalidName};
    }
    // O_NONBLOCK keeps a FIFO from blocking the open; only regular files are read.
    const Descriptor file(
        openRetrying(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.valid()) {
        return {{}, problemOf(errno, FileProblem::ReadFailed)};
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        return {{}, FileProblem::ReadFailed};
    }
    if (S_ISDIR(info.st_mode)) {
        return {{}, FileProblem::IsDirectory};
    }
    if (!S_ISREG(info.st_mode)) {
        return {{}, FileProblem::AccessDenied};
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxFileSize) {
        return {{}, FileProblem::TooLarge};
    }
    if (::flock(file.get(), LOCK_SH | LOCK_NB) != 0) {
        return {{}, errno == EWOULDBLOCK ? FileProblem::InUse : FileProblem::ReadFailed};
    }
    const auto length = static_cast<std::size_t>(info.st_size);
    FileContent content;
    try {
        content.bytes.reserve(length);
        adviseHugePages(content.bytes.data(), content.bytes.capacity());
        content.bytes.resize(length);
    } catch (const std::bad_alloc&) {
        return {{}, FileProblem::OutOfMemory};
    }
    std::size_t got = 0;
    while (got < length) {
        const ssize_t n = ::read(file.get(), content.bytes.data() + got, length - got);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return {{}, FileProblem::ReadFailed};
        }
        if (n == 0) {
            break;  // the file shrank while we read: keep what was there
        }
        got += static_cast<std::size_t>(n);
    }
    content.bytes.resize(got);
    return content;
}

struct FileReplacement::State {
    std::filesystem::path target;
    struct stat oldInfo {};
    bool replacing = false;  // the target exists
    Descriptor old;          // the target, locked until the rename
    TemporaryFile temporary;
    FileProblem problem = FileProblem::None;
    bool committed = false;

    FileProblem fail(FileProblem p) {
        if (problem == FileProblem::None) {
            problem = p;
        }
        temporary.discard();
        old.reset();
        return problem;
    }
    FileProblem open();
};

FileProblem FileReplacement::State::open() {
    if (target.empty() || hasWildcard(target.native())) {
        return fail(FileProblem::InvalidName);
    }
    // Through a symbolic link the file it names is replaced, not the link.
    bool exists = ::lstat(target.c_str(), &oldInfo) == 0;
    if (exists && S_ISLNK(oldInfo.st_mode)) {
        std::error_code error;
        auto resolved = std::filesystem::weakly_canonical(target, error);
        if (error) {
            return fail(FileProblem::InvalidName);
        }
        target = std::move(resolved);
        exists = ::lstat(target.c_str(), &oldInfo) == 0;
    }
    if (!exists && errno != ENOENT) {
        return fail(problemOf(errno, FileProblem::WriteFailed));
    }
    replacing = exists;
    if (exists) {
        if (S_ISDIR(oldInfo.st_mode)) {
            return fail(FileProblem::IsDirectory);
        }
        if (!S_ISREG(oldInfo.st_mode)) {
            return fail(FileProblem::AccessDenied);
        }
        // A rename would replace a read-only file too (it only needs the folder's write
        // right), and root passes every access check: the mode bits decide, as the
        // read-only attribute does on Windows.
        if ((oldInfo.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
            return fail(FileProblem::AccessDenied);
        }
        old.adopt(openRetrying(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        if (!old.valid()) {
            return fail(problemOf(errno, FileProblem::WriteFailed));
        }
        // Held until the rename, so no reader of ours sees the file change under it.
        if (::flock(old.get(), LOCK_EX | LOCK_NB) != 0) {
            return fail(errno == EWOULDBLOCK ? FileProblem::InUse : FileProblem::WriteFailed);
        }
    }
    if (const FileProblem p = createTemporaryBeside(target, temporary); p != FileProblem::None) {
        return fail(p);
    }
    if (exists) {
        ::fchmod(temporary.descriptor.get(), oldInfo.st_mode & 0777);
        if (::fchown(temporary.descriptor.get(), oldInfo.st_uid, oldInfo.st_gid) != 0) {
            // Only root may give a file away; anyone else keeps their own new file.
        }
    }
    return FileProblem::None;
}

FileReplacement::FileReplacement(const std::filesystem::path& target)
    : state_(std::make_unique<State>()) {
    state_->target = target;
    state_->open();
}

FileReplacement::~FileReplacement() = default;

FileProblem FileReplacement::problem() const noexcept {
    return state_->problem;
}

FileProblem FileReplacement::write(std::string_view bytes) {
    if (state_->problem != FileProblem::None || state_->committed) {
        return state_->problem;
    }
    if (const FileProblem p = writeAll(state_->temporary.descriptor.get(), bytes);
        p != FileProblem::None) {
        return state_->fail(p);
    }
    return FileProblem::None;
}

FileProblem FileReplacement::commit() {
    State& s = *state_;
    if (s.problem != FileProblem::None || s.committed) {
        return s.problem;
    }
    if (::fsync(s.temporary.descriptor.get()) != 0) {
        return s.fail(problemOf(errno, FileProblem::WriteFailed));
    }
    if (!s.temporary.descriptor.reset()) {
        return s.fail(problemOf(errno, FileProblem::WriteFailed));
    }
    if (::rename(s.temporary.path.c_str(), s.target.c_str()) != 0) {
        return s.fail(problemOf(errno, FileProblem::WriteFailed));
    }
    s.temporary.kept = true;
    s.committed = true;
    s.old.reset();
    syncFolder(s.target.parent_path());
    return FileProblem::None;
}

FileProblem writeWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    FileReplacement file(path);
    file.write(bytes);
    return file.commit();
}

}  // namespace quillmora
