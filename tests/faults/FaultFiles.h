#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quillmora::faults {

// A fresh folder of its own, removed with everything in it, read-only entries included.
class FaultFolder {
  public:
    FaultFolder() {
        std::random_device entropy;
        path_ = std::filesystem::temp_directory_path() /
                ("quillmora-faults-" + std::to_string(entropy()) + std::to_string(entropy()));
        std::filesystem::create_directories(path_);
    }
    FaultFolder(const FaultFolder&) = delete;
    FaultFolder& operator=(const FaultFolder&) = delete;
    ~FaultFolder() {
        std::error_code ignored;
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }
    [[nodiscard]] std::filesystem::path operator/(std::string_view name) const {
        return path_ / std::filesystem::path(std::u8string(name.begin(), name.end()));
    }
    std::filesystem::path write(std::string_view name, std::string_view bytes) const {
        const auto file = *this / name;
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    // Names of everything in the folder, so a test sees that no temporary file is left.
    [[nodiscard]] std::vector<std::filesystem::path> entries() const {
        std::vector<std::filesystem::path> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename());
        }
        return names;
    }

  private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file of `size` bytes that takes no room on disk: a hole with one byte at its end.
inline void makeSparseFile(const std::filesystem::path& file, std::uintmax_t size) {
    std::ofstream(file, std::ios::binary).put('a');
    std::filesystem::resize_file(file, size);
}

// Holds the file open the way another program would, so that nobody else may write it:
// on Windows a handle shared with nobody, on POSIX a child process with an exclusive flock.
class FileHolder {
  public:
    explicit FileHolder(const std::filesystem::path& file) {
#ifdef _WIN32
        handle_ = ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        held_ = handle_ != INVALID_HANDLE_VALUE;
#else
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) {
            return;
        }
        child_ = ::fork();
        if (child_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            const int fd = ::open(file.c_str(), O_RDWR);
            const char ok = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'y' : 'n';
            (void)!::write(ready[1], &ok, 1);
            char ignored;
            (void)!::read(release[0], &ignored, 1);  // until the parent closes its end
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char ok = 'n';
        held_ = ::read(ready[0], &ok, 1) == 1 && ok == 'y';
        ::close(ready[0]);
#endif
    }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;
    ~FileHolder() {
#ifdef _WIN32
        if (held_) {
            ::CloseHandle(handle_);
        }
#else
        if (release_ >= 0) {
            ::close(release_);
        }
        if (child_ > 0) {
            ::waitpid(child_, nullptr, 0);
        }
#endif
    }
    [[nodiscard]] bool held() const noexcept {
        return held_;
    }

  private:
    bool held_ = false;
#ifdef _WIN32
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    pid_t child_ = -1;
    int release_ = -1;
#endif
};

#ifndef _WIN32
// Runs `body` in a forked child and gives its exit status, or 128 + the signal that ended it:
// for faults that belong to one process only, such as a file size limit.
inline int runInChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        int status = 3;
        try {
            status = body();
        } catch (...) {
        }
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
#endif

}  // namespace quillmora::faults
