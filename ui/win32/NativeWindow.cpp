#include "ui/win32/NativeWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "ui/win32/Dpi.h"
#include "ui/win32/Resources.h"
#include "ui/win32/WideText.h"
#include "ui/win32/Win32Platform.h"

namespace quillmora::win32 {
namespace {

constexpr int kFirstControlId = 1000;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct ControlClass {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass controlClass(const ControlDeclaration& control) {
    switch (control.kind) {
        case ControlKind::GroupBox:
            return {WC_BUTTONW, BS_GROUPBOX, 0};
        case ControlKind::ListBox:
            // Owner data: the rows are drawn from the WordList, nothing is copied into the box.
            return {
                WC_LISTBOXW,
                WS_VSCROLL | LBS_NOTIFY | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {WC_BUTTONW, BS_PUSHBUTTON | BS_CENTER | BS_VCENTER, 0};
        case ControlKind::Label:
            return {
                WC_STATICW,
                static_cast<DWORD>(
                    SS_NOTIFY | SS_NOPREFIX | SS_CENTERIMAGE |
                    (control.alignment == TextAlignment::Center ? SS_CENTER : SS_LEFTNOWORDWRAP)),
                0};
        case ControlKind::PictureBox:
            return {WC_STATICW, SS_ICON | SS_CENTERIMAGE, 0};
        case ControlKind::ComboBox:
            return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 0};
        case ControlKind::EditBox:
            return {WC_EDITW, ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
        case ControlKind::RadioButton:
            return {WC_BUTTONW, BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER, 0};
    }
    return {WC_STATICW, 0, 0};
}

int iconResource(Picture picture) {
    switch (picture) {
        case Picture::PlusSign:
            return QUILLMORA_ICON_PLUS_SIGN;
        case Picture::DoubleChevron:
            return QUILLMORA_ICON_DOUBLE_CHEVRON;
        case Picture::None:
            break;
    }
    return 0;
}

FontHandle makeFont(const LOGFONTW& base, const FontDeclaration& declared, UINT dpi) {
    LOGFONTW font = base;
    if (!declared.face.empty()) {
        const std::wstring face = wideFromUtf8(declared.face);
        std::wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        font.lfFaceName[LF_FACESIZE - 1] = L'\0';
        font.lfCharSet = DEFAULT_CHARSET;
    }
    if (declared.pixelHeight > 0) {
        font.lfHeight = -scaled(declared.pixelHeight, dpi);
        font.lfWidth = 0;
    }
    font.lfWeight = declared.bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = declared.underline ? TRUE : FALSE;
    return FontHandle(CreateFontIndirectW(&font));
}

int lineHeight(HWND control, HFONT font) {
    const HDC context = GetDC(control);
    const HGDIOBJ old = SelectObject(context, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, old);
    ReleaseDC(control, context);
    return metrics.tmHeight;
}

}  // namespace

void NativeWindow::registerClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &NativeWindow::procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(QUILLMORA_ICON_PROGRAM), IMAGE_ICON,
                   GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(QUILLMORA_ICON_PROGRAM), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

NativeWindow::NativeWindow(Win32Platform& platform, WindowId id,
                           const WindowDeclaration& declaration, HWND owner)
    : platform_(platform), id_(id), declaration_(declaration) {
    dpi_ = systemDpi();
    const int width = scaled(declaration_.outerWidth, dpi_);
    const int height = scaled(declaration_.outerHeight, dpi_);
    // An unowned window has its own task-bar button; a window owned by the hidden owner has none.
    const DWORD extendedStyle = owner == nullptr ? WS_EX_APPWINDOW : 0;
    CreateWindowExW(extendedStyle, kClassName, wideFromUtf8(declaration_.caption).c_str(),
                    kWindowStyle, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                    (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, owner, nullptr,
                    platform_.instance(), this);
    if (handle_ == nullptr) {
        return;
    }
    if (const UINT dpi = windowDpi(handle_); dpi != dpi_) {
        dpi_ = dpi;
        const int scaledWidth = scaled(declaration_.outerWidth, dpi_);
        const int scaledHeight = scaled(declaration_.outerHeight, dpi_);
        SetWindowPos(handle_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - scaledWidth) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - scaledHeight) / 2, scaledWidth, scaledHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    createControls();
    applyDpi(dpi_);
}

NativeWindow::~NativeWindow() {
    if (handle_ != nullptr) {
        // No event is reported from here on: the procedure no longer finds this object.
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        for (const Control& control : controls_) {
            if (control.declaration.kind == ControlKind::Label) {
                RemoveWindowSubclass(control.handle, &NativeWindow::labelProcedure, 0);
            }
        }
        DestroyWindow(handle_);
    }
}

NativeWindow::Control* NativeWindow::control(std::string_view name) {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [&](const Control& c) { return c.declaration.name == name; });
    return found == controls_.end() ? nullptr : &*found;
}

const NativeWindow::Control* NativeWindow::control(std::string_view name) const {
    return const_cast<NativeWindow*>(this)->control(name);
}

NativeWindow::Control* NativeWindow::controlByHandle(HWND handle) {
    if (handle == nullptr || GetParent(handle) != handle_) {
        return nullptr;
    }
    const int index = GetDlgCtrlID(handle) - kFirstControlId;
    return index >= 0 && index < static_cast<int>(controls_.size()) ? &controls_[index] : nullptr;
}

void NativeWindow::createControls() {
    controls_.reserve(declaration_.controls.size());
    const ControlDeclaration* previous = nullptr;
    for (const ControlDeclaration& declared : declaration_.controls) {
        Control control;
        control.declaration = declared;
        control.left96 = declared.x;
        control.top96 = declared.y;
        if (!declared.parent.empty()) {
            if (const Control* parent = this->control(declared.parent)) {
                control.left96 += parent->left96;
                control.top96 += parent->top96;
            }
        }
        const ControlClass kind = controlClass(declared);
        DWORD style = WS_CHILD | kind.style;
        if (declared.visible) {
            style |= WS_VISIBLE;
        }
        if (isTabStop(declared.kind)) {
            style |= WS_TABSTOP;
        }
        // A radio button that follows its partner in the same group box joins its group; every
        // other control starts a group, so the pairs exclude each other and nothing else.
        const bool joinsPartner =
            declared.kind == ControlKind::RadioButton && previous != nullptr &&
            previous->kind == ControlKind::RadioButton && previous->parent == declared.parent;
        if (!joinsPartner) {
            style |= WS_GROUP;
        }
        const std::wstring caption =
            declared.kind == ControlKind::PictureBox || declared.kind == ControlKind::ListBox
                ? std::wstring()
                : wideFromUtf8(declared.caption);
        control.handle = CreateWindowExW(
            kind.extendedStyle, kind.className, caption.c_str(), style, 0, 0, 0, 0, handle_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + controls_.size())),
            platform_.instance(), nullptr);
        switch (declared.kind) {
            case ControlKind::RadioButton:
                SendMessageW(control.handle, BM_SETCHECK,
                             declared.checked ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case ControlKind::ComboBox:
                for (const std::string& item : declared.items) {
                    SendMessageW(control.handle, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(wideFromUtf8(item).c_str()));
                }
                SendMessageW(control.handle, CB_LIMITTEXT, 0, 0);
                break;
            case ControlKind::EditBox:
                SendMessageW(control.handle, EM_SETLIMITTEXT, 0, 0);
                break;
            case ControlKind::Label:
                SetWindowSubclass(control.handle, &NativeWindow::labelProcedure, 0,
                                  reinterpret_cast<DWORD_PTR>(this));
                break;
            default:
                break;
        }
        controls_.push_back(std::move(control));
        previous = &declared;
    }
}

void NativeWindow::applyDpi(UINT dpi) {
    dpi_ = dpi;
    const LOGFONTW base = defaultGuiFont(dpi_);
    defaultFont_.reset(CreateFontIndirectW(&base));
    listItemHeight_ = 0;
    for (Control& control : controls_) {
        const ControlDeclaration& declared = control.declaration;
        control.font = declared.font ? makeFont(base, *declared.font, dpi_) : FontHandle();
        const HFONT font = control.font ? control.font.get() : defaultFont_.get();
        SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const int height = declared.kind == ControlKind::ComboBox && declared.droppedHeight > 0
                               ? declared.droppedHeight
                               : declared.height;
        if (declared.kind == ControlKind::PictureBox) {
            const int side = scaled(std::max(declared.width, declared.height), dpi_);
            control.icon.reset(static_cast<HICON>(
                LoadImageW(platform_.instance(), MAKEINTRESOURCEW(iconResource(declared.picture)),
                           IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
            SendMessageW(control.handle, STM_SETIMAGE, IMAGE_ICON,
                         reinterpret_cast<LPARAM>(control.icon.get()));
        }
        SetWindowPos(control.handle, nullptr, scaled(control.left96, dpi_),
                     scaled(control.top96, dpi_), scaled(declared.width, dpi_),
                     scaled(height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
        if (declared.kind == ControlKind::ListBox) {
            // One pixel taller than the font's line.
            const int itemHeight = lineHeight(control.handle, font) + 1;
            listItemHeight_ = std::max(listItemHeight_, itemHeight);
            SendMessageW(control.handle, LB_SETITEMHEIGHT, 0, itemHeight);
        }
    }
    InvalidateRect(handle_, nullptr, TRUE);
}

void NativeWindow::show() {
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    if (const HWND first = GetNextDlgTabItem(handle_, nullptr, FALSE)) {
        SetFocus(first);
    }
    UpdateWindow(handle_);
}

void NativeWindow::refreshList(Control& control) {
    const HWND box = control.handle;
    const auto count = control.list != nullptr ? control.list->count() : 0;
    const auto selection = control.list != nullptr ? control.list->selection() : -1;
    const LRESULT shownCount = SendMessageW(box, LB_GETCOUNT, 0, 0);
    const LRESULT top = SendMessageW(box, LB_GETTOPINDEX, 0, 0);
    if (shownCount != count) {
        // New rows at the end move neither the selection nor the scroll position.
        SendMessageW(box, WM_SETREDRAW, FALSE, 0);
        SendMessageW(box, LB_SETCOUNT, static_cast<WPARAM>(count), 0);
        SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
        SendMessageW(box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
        SendMessageW(box, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(box, nullptr, TRUE);
        return;
    }
    if (SendMessageW(box, LB_GETCURSEL, 0, 0) != selection) {
        SendMessageW(box, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
        SendMessageW(box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    }
    InvalidateRect(box, nullptr, FALSE);
}

void NativeWindow::drawListItem(const DRAWITEMSTRUCT& item) {
    const Control* control = controlByHandle(item.hwndItem);
    if (control == nullptr) {
        return;
    }
    const HDC context = item.hDC;
    RECT area = item.rcItem;
    if (item.itemID == static_cast<UINT>(-1)) {
        if ((item.itemState & ODS_FOCUS) != 0) {
            DrawFocusRect(context, &area);
        }
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(context, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const std::wstring text =
        control->list != nullptr
            ? wideFromText(control->list->viewAt(static_cast<WordList::Position>(item.itemID)))
            : std::wstring();
    const HGDIOBJ oldFont =
        SelectObject(context, control->font ? control->font.get() : defaultFont_.get());
    SetBkMode(context, TRANSPARENT);
    SetTextColor(context, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textArea = area;
    textArea.left += scaled(2, dpi_);
    DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &textArea,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(context, oldFont);
    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(context, &area);
    }
}

LRESULT NativeWindow::labelColors(HDC context, HWND label) {
    const Control* control = controlByHandle(label);
    if (control == nullptr) {
        return 0;
    }
    const auto& color = control->declaration.textColor;
    SetTextColor(context,
                 color ? RGB(color->red, color->green, color->blue) : GetSysColor(COLOR_BTNTEXT));
    // No background of its own: the face colour it stands on, which also wipes the old text.
    SetBkMode(context, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK NativeWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<NativeWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NativeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

// Each report to the shell may destroy this window (a nested loop runs inside it), so nothing
// of this object is touched after one.
LRESULT NativeWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    PlatformEvents* sink = platform_.sink();
    const WindowId id = id_;
    switch (message) {
        case WM_COMMAND: {
            const Control* control = controlByHandle(reinterpret_cast<HWND>(lParam));
            if (control == nullptr || sink == nullptr) {
                break;
            }
            const std::string name = control->declaration.name;
            const WORD code = HIWORD(wParam);
            if (control->declaration.kind == ControlKind::Button && code == BN_CLICKED) {
                sink->clicked(id, name);
                return 0;
            }
            if (control->declaration.kind == ControlKind::ListBox && code == LBN_SELCHANGE) {
                const LRESULT row = SendMessageW(control->handle, LB_GETCURSEL, 0, 0);
                sink->selectionChanged(
                    id, name,
                    row == LB_ERR ? WordList::kNoSelection : static_cast<WordList::Position>(row));
                return 0;
            }
            break;
        }
        case WM_CLOSE:
            // The close box, the system menu and Alt+F4: the shell decides; nothing is destroyed
            // here.
            if (sink != nullptr) {
                sink->closeRequested(id);
            }
            return 0;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(std::max(listItemHeight_, 1));
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType == ODT_LISTBOX) {
                drawListItem(*item);
                return TRUE;
            }
            break;
        }
        case WM_CTLCOLORSTATIC: {
            const Control* control = controlByHandle(reinterpret_cast<HWND>(lParam));
            if (control != nullptr && control->declaration.kind == ControlKind::Label) {
                return labelColors(reinterpret_cast<HDC>(wParam), control->handle);
            }
            break;
        }
        case WM_DPICHANGED: {
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(handle_, nullptr, suggested->left, suggested->top,
                         suggested->right - suggested->left, suggested->bottom - suggested->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            applyDpi(HIWORD(wParam));
            return 0;
        }
        case WM_ACTIVATE:
            // Like a dialog: the control that had the focus gets it back when the window returns.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                lastFocus_ = focus != nullptr && IsChild(handle_, focus) ? focus : nullptr;
            } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) &&
                       IsChild(handle_, lastFocus_) && IsWindowEnabled(lastFocus_)) {
                SetFocus(lastFocus_);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK NativeWindow::labelProcedure(HWND label, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR /*subclass*/,
                                              DWORD_PTR data) {
    auto* self = reinterpret_cast<NativeWindow*>(data);
    const Control* control = self->controlByHandle(label);
    switch (message) {
        case WM_SETCURSOR:
            if (control != nullptr && control->declaration.pointer == PointerShape::Hand) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_LBUTTONUP: {
            RECT area{};
            GetClientRect(label, &area);
            const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            PlatformEvents* sink = self->platform_.sink();
            if (control != nullptr && sink != nullptr && PtInRect(&area, point)) {
                const std::string name = control->declaration.name;
                sink->labelReleased(self->id_, name);
                return 0;
            }
            break;
        }
        default:
            break;
    }
    return DefSubclassProc(label, message, wParam, lParam);
}

}  // namespace quillmora::win32
