#pragma once

#include <string_view>

#include "ui/Platform.h"
#include "ui/WindowDeclaration.h"
#include "ui/WindowHandlers.h"

namespace quillmora {

class Shell;

WindowDeclaration rulesWindowDeclaration();

// "合成规则": shows the rules when it opens and writes them back only on "确定".
class RulesWindow final : public WindowHandlers {
  public:
    RulesWindow(Shell& shell, WindowId window) : shell_(shell), window_(window) {}

    void created() override;
    void clicked(std::string_view control) override;

  private:
    Shell& shell_;
    WindowId window_;
};

}  // namespace quillmora
