#include <memory>
#include <new>

#include "ui/MainWindow.h"
#include "ui/Shell.h"

namespace quillmora {

int runProgram(Platform& platform) {
    bool outOfMemory = false;
    {
        Shell shell(platform);
        try {
            const WindowId mainWindow = shell.openMainWindow(
                mainWindowDeclaration(),
                [&shell](WindowId window) { return std::make_shared<MainWindow>(shell, window); });
            if (mainWindow == kNoWindow) {
                return 1;
            }
            shell.runEventLoop();
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
        outOfMemory = outOfMemory || shell.outOfMemory();
        if (outOfMemory) {
            shell.showMessageBox("内存不足，程序即将退出。", MessageBoxKind::Error, "错误");
        }
    }
    return outOfMemory ? 1 : 0;
}

}  // namespace quillmora
