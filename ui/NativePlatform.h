#pragma once

#include <filesystem>
#include <memory>

#include "ui/Platform.h"

namespace quillmora {

// The platform of this build: Win32 on Windows, Qt on Linux. Each front end defines these.
std::unique_ptr<Platform> makeNativePlatform(int& argc, char** argv);

// The folder that holds the running executable.
std::filesystem::path executableFolder();

}  // namespace quillmora
