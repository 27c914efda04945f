// The file calls on POSIX systems. The rules come from the Windows program: a read denies other
// writers, a write is shared with nobody. POSIX has no share modes, so both take an advisory
// flock, which every copy of this program honours; a file another process holds an exclusive
// lock on counts as held open.

#include <fcntl.h>
#include <glob.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <new>
#include <string>

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
    ~TemporaryFile() {
        descriptor.reset();
        if (!path.empty() && !kept) {
            ::unlink(path.c_str());
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

FileProblem writeWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path target = path;
    if (target.empty() || hasWildcard(target.native())) {
        return FileProblem::InvalidName;
    }
    // Through a symbolic link the file it names is replaced, not the link.
    struct stat info {};
    bool exists = ::lstat(target.c_str(), &info) == 0;
    if (exists && S_ISLNK(info.st_mode)) {
        std::error_code error;
        const auto resolved = std::filesystem::weakly_canonical(target, error);
        if (error) {
            return FileProblem::InvalidName;
        }
        target = resolved;
        exists = ::lstat(target.c_str(), &info) == 0;
    }
    if (!exists && errno != ENOENT) {
        return problemOf(errno, FileProblem::WriteFailed);
    }

    Descriptor old;
    if (exists) {
        if (S_ISDIR(info.st_mode)) {
            return FileProblem::IsDirectory;
        }
        if (!S_ISREG(info.st_mode)) {
            return FileProblem::AccessDenied;
        }
        // A rename would replace a read-only file too (it only needs the folder's write
        // right), and root passes every access check: the mode bits decide, as the
        // read-only attribute does on Windows.
        if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
            return FileProblem::AccessDenied;
        }
        old.adopt(openRetrying(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
        if (!old.valid()) {
            return problemOf(errno, FileProblem::WriteFailed);
        }
        // Held until the rename, so no reader of ours sees the file change under it.
        if (::flock(old.get(), LOCK_EX | LOCK_NB) != 0) {
            return errno == EWOULDBLOCK ? FileProblem::InUse : FileProblem::WriteFailed;
        }
    }

    TemporaryFile temporary;
    if (const FileProblem problem = createTemporaryBeside(target, temporary);
        problem != FileProblem::None) {
        return problem;
    }
    const int fd = temporary.descriptor.get();
    if (exists) {
        ::fchmod(fd, info.st_mode & 0777);
        if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
            // Only root may give a file away; anyone else keeps their own new file.
        }
    }
    if (const FileProblem problem = writeAll(fd, bytes); problem != FileProblem::None) {
        return problem;
    }
    if (::fsync(fd) != 0) {
        return problemOf(errno, FileProblem::WriteFailed);
    }
    if (!temporary.descriptor.reset()) {
        return problemOf(errno, FileProblem::WriteFailed);
    }
    if (::rename(temporary.path.c_str(), target.c_str()) != 0) {
        return problemOf(errno, FileProblem::WriteFailed);
    }
    temporary.kept = true;
    syncFolder(target.parent_path());
    return FileProblem::None;
}

}  // namespace quillmora
