#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "ui/Platform.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtWindow.h"

namespace quillmora::qttest {

// What the platform reported, one line a report: "clicked 按钮2", "close", "esc".
class RecordedEvents final : public PlatformEvents {
  public:
    void clicked(WindowId, std::string_view control) override {
        record("clicked " + std::string(control));
        if (onClick) {
            onClick(control);
        }
    }
    void labelReleased(WindowId, std::string_view control) override {
        record("released " + std::string(control));
    }
    void selectionChanged(WindowId, std::string_view control, WordList::Position row) override {
        record("selected " + std::string(control) + " " + std::to_string(row));
    }
    void closeRequested(WindowId) override {
        record("close");
        if (onClose) {
            onClose();
        }
    }
    void escapePressed(WindowId) override { record("esc"); }

    std::vector<std::string> reports;
    std::function<void(std::string_view)> onClick;
    std::function<void()> onClose;

  private:
    void record(std::string report) { reports.push_back(std::move(report)); }
};

// A window with a control of every kind, laid out as the program's windows are.
WindowDeclaration everyKindWindow(std::string role = "main");

class QtPlatformTest : public ::testing::Test {
  protected:
    QtPlatformTest() { platform.setEventSink(&events); }

    WindowId showWindow(const WindowDeclaration& declaration,
                        WindowOwner owner = WindowOwner::None) {
        const WindowId id = platform.createWindow(declaration, owner);
        platform.showWindow(id);
        return id;
    }
    QWidget& control(WindowId window, std::string_view name) {
        QWidget* widget = platform.window(window)->control(name);
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }

    static int argc;
    static char* argv[];
    RecordedEvents events;
    QtPlatform platform{argc, argv};
};

}  // namespace quillmora::qttest
