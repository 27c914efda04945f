#include <system_error>

#include "ui/NativePlatform.h"
#include "ui/qt/QtPlatform.h"

namespace quillmora {

std::unique_ptr<Platform> makeNativePlatform(int& argc, char** argv) {
    return std::make_unique<QtPlatform>(argc, argv);
}

std::filesystem::path executableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : executable.parent_path();
}

}  // namespace quillmora
