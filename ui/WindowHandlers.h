#pragma once

#include <string_view>

#include "core/WordList.h"

namespace quillmora {

// The event handlers of one window instance. The shell calls them for the events the platform
// reports on that window; an event a window does not handle is passed over.
class WindowHandlers {
  public:
    virtual ~WindowHandlers() = default;
    // Once, after the window and its controls exist and before it is shown.
    virtual void created() {}
    virtual void clicked(std::string_view /*control*/) {}
    virtual void labelReleased(std::string_view /*control*/) {}
    virtual void selectionChanged(std::string_view /*control*/, WordList::Position /*row*/) {}
    // The window is gone. A handler still running (a combination run inside the pump) must not
    // touch a control of it from now on.
    virtual void windowDestroyed() {}
};

}  // namespace quillmora
