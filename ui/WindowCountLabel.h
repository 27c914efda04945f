#pragma once

#include <string>

#include "core/CountLabel.h"
#include "ui/Platform.h"

namespace quillmora {

// A count label of the main window, drawn by the platform. Once the window is gone it does
// nothing, so a handler that outlives its window cannot touch a destroyed control.
class WindowCountLabel final : public CountLabel {
  public:
    WindowCountLabel(Platform& platform, WindowId window, std::string control,
                     const bool& windowAlive)
        : platform_(platform), window_(window), control_(std::move(control)), alive_(windowAlive) {}

    void showCount(const WordList& list) override {
        if (alive_) {
            platform_.setControlVisible(window_, control_, true);
            platform_.setCaption(window_, control_, std::to_string(list.count()));
        }
    }
    void hideCount() override {
        if (alive_) {
            platform_.setControlVisible(window_, control_, false);
        }
    }

  private:
    Platform& platform_;
    WindowId window_;
    std::string control_;
    const bool& alive_;
};

}  // namespace quillmora
