#include <filesystem>
#include <system_error>

#include "ui/NativePlatform.h"
#include "ui/Shell.h"

int main(int argc, char** argv) {
    std::error_code ignored;
    std::filesystem::current_path(quillmora::executableFolder(), ignored);
    const auto platform = quillmora::makeNativePlatform(argc, argv);
    return quillmora::runProgram(*platform);
}
