#include <csignal>
#include <filesystem>
#include <system_error>

#include "ui/NativePlatform.h"
#include "ui/Shell.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // A file-size limit (ulimit -f) must fail an export quietly, not kill the program and
    // the lists with it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::error_code ignored;
    std::filesystem::current_path(quillmora::executableFolder(), ignored);
    const auto platform = quillmora::makeNativePlatform(argc, argv);
    return quillmora::runProgram(*platform);
}
