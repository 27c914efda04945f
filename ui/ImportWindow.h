#pragma once

#include <string_view>

#include "ui/FileDialog.h"
#include "ui/Platform.h"
#include "ui/WindowDeclaration.h"
#include "ui/WindowHandlers.h"

namespace quillmora {

class MainWindow;
class Shell;

WindowDeclaration importWindowDeclaration();

// "批量导入内容": two sources, each a path box with its browse button and a separator box.
// Its open dialog is shared by both browse buttons and forgotten when the window closes.
class ImportWindow final : public WindowHandlers {
  public:
    ImportWindow(Shell& shell, WindowId window, MainWindow& mainWindow);

    void clicked(std::string_view control) override;

  private:
    void browseForSource(std::string_view pathBox);
    void importBothSources();

    Shell& shell_;
    WindowId window_;
    MainWindow& mainWindow_;
    FileDialog openDialog_;
};

}  // namespace quillmora
