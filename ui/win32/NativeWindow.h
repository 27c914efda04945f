#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/WordList.h"
#include "ui/Platform.h"
#include "ui/WindowDeclaration.h"

namespace quillmora::win32 {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct IconDeleter {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

class Win32Platform;

// One top-level window with its controls, made from a declaration. Every control is a child of
// the top-level window (a group box does not pass its children's notifications on), placed by
// the group box offsets of the declaration and scaled to the window's DPI.
class NativeWindow {
  public:
    struct Control {
        ControlDeclaration declaration;
        int left96 = 0;  // place in the client area at 96 DPI, group box offsets added
        int top96 = 0;
        HWND handle = nullptr;
        const WordList* list = nullptr;
        FontHandle font;  // none: the window's default font
        IconHandle icon;
    };

    static constexpr const wchar_t* kClassName = L"QuillmoraWindow";
    static void registerClass(HINSTANCE instance);

    NativeWindow(Win32Platform& platform, WindowId id, const WindowDeclaration& declaration,
                 HWND owner);
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    [[nodiscard]] bool created() const noexcept { return handle_ != nullptr; }
    [[nodiscard]] HWND handle() const noexcept { return handle_; }
    [[nodiscard]] WindowId id() const noexcept { return id_; }
    [[nodiscard]] Control* control(std::string_view name);
    [[nodiscard]] const Control* control(std::string_view name) const;

    void show();
    void refreshList(Control& control);

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR subclass, DWORD_PTR data);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void applyDpi(UINT dpi);
    void drawListItem(const DRAWITEMSTRUCT& item);
    LRESULT labelColors(HDC context, HWND label);
    Control* controlByHandle(HWND handle);

    Win32Platform& platform_;
    WindowId id_;
    WindowDeclaration declaration_;
    HWND handle_ = nullptr;
    UINT dpi_ = 96;
    FontHandle defaultFont_;
    int listItemHeight_ = 16;
    HWND lastFocus_ = nullptr;
    std::vector<Control> controls_;
};

}  // namespace quillmora::win32
