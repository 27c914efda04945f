// The file calls on Windows, with the share modes the program's rules are written for: a read
// denies other writers, a write is shared with nobody.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <new>
#include <string>

#include "textio/FileSystem.h"

namespace quillmora {

namespace {

constexpr LONGLONG kMaxFileSize = (LONGLONG{1} << 31) - 1;

bool hasWildcard(const std::wstring& s) {
    return s.find_first_of(L"*?") != std::wstring::npos;
}

FileProblem problemOf(DWORD error, FileProblem otherwise) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return FileProblem::NotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return FileProblem::AccessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return FileProblem::InUse;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_DIRECTORY:
            return FileProblem::InvalidName;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return FileProblem::OutOfMemory;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case ERROR_FILE_TOO_LARGE:
            return FileProblem::DiskFull;
        default:
            return otherwise;
    }
}

// Closes the handle when it goes out of scope.
class Handle {
  public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) noexcept : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }
    [[nodiscard]] HANDLE get() const noexcept { return handle_; }
    [[nodiscard]] bool valid() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
    void adopt(HANDLE handle) noexcept {
        reset();
        handle_ = handle;
    }
    bool reset() noexcept {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_;
};

// Deletes the temporary file of a write unless it has replaced the target.
class TemporaryFile {
  public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        handle.reset();
        if (!path.empty() && !kept) {
            DeleteFileW(path.c_str());
        }
    }
    std::wstring path;
    Handle handle;
    bool kept = false;
};

FileProblem createTemporaryBeside(const std::filesystem::path& target, TemporaryFile& temporary) {
    const std::filesystem::path folder = target.parent_path();
    const ULONGLONG seed = GetTickCount64() ^ (static_cast<ULONGLONG>(GetCurrentProcessId()) << 32);
    for (ULONGLONG attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[40];
        const ULONGLONG mixed = seed + attempt * 0x9E3779B97F4A7C15ULL;
        wsprintfW(name, L".quillmora-%08lx%08lx.tmp", static_cast<unsigned long>(mixed >> 32),
                  static_cast<unsigned long>(mixed));
        const std::wstring candidate = (folder / name).native();
        HANDLE h = CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            temporary.path = candidate;
            temporary.handle.adopt(h);
            return FileProblem::None;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return problemOf(error, FileProblem::WriteFailed);
        }
    }
    return FileProblem::WriteFailed;
}

FileProblem writeAll(HANDLE h, std::string_view bytes) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const DWORD chunk = left > (DWORD{1} << 30) ? (DWORD{1} << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, nullptr)) {
            return problemOf(GetLastError(), FileProblem::WriteFailed);
        }
        if (written == 0) {
            return FileProblem::WriteFailed;
        }
        p += written;
        left -= written;
    }
    return FileProblem::None;
}

}  // namespace

bool fileExists(const std::filesystem::path& path) {
    const std::wstring& native = path.native();
    if (native.empty()) {
        return false;
    }
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(native.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    FindClose(search);
    return true;
}

FileContent readWholeFile(const std::filesystem::path& path) {
    const std::wstring& native = path.native();
    if (native.empty() || hasWildcard(native)) {
        return {{}, FileProblem::InvalidName};
    }
    const Handle file(CreateFileW(native.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        // A folder cannot be opened as a file; say so rather than "access denied".
        const DWORD attributes = GetFileAttributesW(native.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            return {{}, FileProblem::IsDirectory};
        }
        return {{}, problemOf(error, FileProblem::ReadFailed)};
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        return {{}, FileProblem::AccessDenied};
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) {
        return {{}, FileProblem::ReadFailed};
    }
    if (size.QuadPart > kMaxFileSize) {
        return {{}, FileProblem::TooLarge};
    }
    FileContent content;
    if (size.QuadPart <= 0) {
        return content;
    }
    try {
        content.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return {{}, FileProblem::OutOfMemory};
    }
    DWORD got = 0;
    if (!ReadFile(file.get(), content.bytes.data(), static_cast<DWORD>(size.QuadPart), &got,
                  nullptr)) {
        return {{}, problemOf(GetLastError(), FileProblem::ReadFailed)};
    }
    content.bytes.resize(got);
    return content;
}

FileProblem writeWholeFile(const std::filesystem::path& path, std::string_view bytes) {
    const std::wstring& native = path.native();
    if (native.empty() || hasWildcard(native)) {
        return FileProblem::InvalidName;
    }
    const DWORD attributes = GetFileAttributesW(native.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) {
            return problemOf(error, FileProblem::WriteFailed);
        }
    }
    Handle old;
    if (exists) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            return FileProblem::IsDirectory;
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            return FileProblem::AccessDenied;
        }
        // Opened for writing and shared with nobody: fails while anyone has the file open.
        // Kept open until just before the replace, so nobody opens it in between.
        old.adopt(CreateFileW(native.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!old.valid()) {
            return problemOf(GetLastError(), FileProblem::WriteFailed);
        }
    }

    TemporaryFile temporary;
    if (const FileProblem problem = createTemporaryBeside(path, temporary);
        problem != FileProblem::None) {
        return problem;
    }
    if (const FileProblem problem = writeAll(temporary.handle.get(), bytes);
        problem != FileProblem::None) {
        return problem;
    }
    if (!FlushFileBuffers(temporary.handle.get())) {
        return problemOf(GetLastError(), FileProblem::WriteFailed);
    }
    if (!temporary.handle.reset()) {
        return FileProblem::WriteFailed;
    }
    old.reset();
    if (exists) {
        // Keeps the target's attributes and security settings, unlike a plain move.
        if (!ReplaceFileW(native.c_str(), temporary.path.c_str(), nullptr,
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
            return problemOf(GetLastError(), FileProblem::WriteFailed);
        }
    } else if (!MoveFileExW(temporary.path.c_str(), native.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return problemOf(GetLastError(), FileProblem::WriteFailed);
    }
    temporary.kept = true;
    return FileProblem::None;
}

}  // namespace quillmora
