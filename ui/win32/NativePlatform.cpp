#include "ui/NativePlatform.h"

#include <windows.h>

#include <string>

#include "ui/win32/Win32Platform.h"

namespace quillmora {

std::unique_ptr<Platform> makeNativePlatform(int& /*argc*/, char** /*argv*/) {
    return std::make_unique<win32::Win32Platform>(GetModuleHandleW(nullptr));
}

std::filesystem::path executableFolder() {
    // The module name has no length limit of its own: grow the buffer until it fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) {
            return {};
        }
        if (length < name.size()) {
            name.resize(length);
            return std::filesystem::path(name).parent_path();
        }
        name.resize(name.size() * 2);
    }
}

}  // namespace quillmora
