#include "ui/win32/InputBox.h"

#include <string>
#include <vector>

#include "ui/win32/WideText.h"

namespace quillmora::win32 {
namespace {

constexpr WORD kFrameId = 100;
constexpr WORD kPromptId = 101;
constexpr WORD kFieldId = 102;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

struct Box {
    short x, y, width, height;
};

struct Layout {
    Box dialog;
    std::optional<Box> frame;
    std::optional<Box> prompt;
    Box field, ok, cancel;
};

Layout layoutFor(InputBoxLayout layout) {
    if (layout == InputBoxLayout::WithPrompt) {
        return {{0, 0, 252, 92},  Box{7, 7, 238, 35}, Box{12, 11, 229, 27},
                {7, 45, 238, 12}, {63, 66, 55, 19},   {134, 66, 55, 19}};
    }
    return {{0, 0, 214, 56}, std::nullopt,     std::nullopt,
            {7, 7, 200, 12}, {82, 30, 55, 19}, {151, 30, 55, 19}};
}

// The in-memory DLGTEMPLATE: a header, then one DWORD-aligned item per control.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, const Box& box, const std::wstring& title, WORD points,
                   const std::wstring& face) {
        putDword(style);
        putDword(0);
        countAt_ = words_.size();
        put(0);
        putBox(box);
        put(0);  // no menu
        put(0);  // the standard dialog class
        putString(title);
        put(points);
        putString(face);
    }

    void add(DWORD style, const Box& box, WORD id, WORD classAtom, const std::wstring& text) {
        if (words_.size() % 2 != 0) {
            put(0);
        }
        putDword(style | WS_CHILD | WS_VISIBLE);
        putDword(0);
        putBox(box);
        put(id);
        put(0xFFFF);
        put(classAtom);
        putString(text);
        put(0);  // no creation data
        ++words_[countAt_];
    }

    [[nodiscard]] const DLGTEMPLATE* get() const {
        return reinterpret_cast<const DLGTEMPLATE*>(words_.data());
    }

  private:
    void put(WORD word) { words_.push_back(word); }
    void putDword(DWORD value) {
        put(LOWORD(value));
        put(HIWORD(value));
    }
    void putBox(const Box& box) {
        for (short value : {box.x, box.y, box.width, box.height}) {
            put(static_cast<WORD>(value));
        }
    }
    void putString(const std::wstring& text) {
        for (wchar_t c : text) {
            put(static_cast<WORD>(c));
        }
        put(0);
    }

    std::vector<WORD> words_;
    std::size_t countAt_ = 0;
};

struct Session {
    const InputBoxRequest* request;
    std::optional<Text> answer;
};

INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            const auto* session = reinterpret_cast<const Session*>(lParam);
            const HWND field = GetDlgItem(dialog, kFieldId);
            SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
            SetWindowTextW(field, wideFromText(session->request->initialText).c_str());
            SendMessageW(field, EM_SETSEL, 0, -1);
            SetFocus(field);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND: {
            auto* session = reinterpret_cast<Session*>(GetWindowLongPtrW(dialog, DWLP_USER));
            if (LOWORD(wParam) == IDOK) {
                const HWND field = GetDlgItem(dialog, kFieldId);
                std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
                text.resize(static_cast<std::size_t>(
                    GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
                session->answer = textFromWide(text);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        }
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<Text> runInputBox(HINSTANCE instance, HWND owner, const InputBoxRequest& request) {
    const Layout layout = layoutFor(request.layout);
    const std::wstring caption =
        wideFromUtf8(request.caption.empty() ? "请输入：" : request.caption);
    DialogTemplate dialog(
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, layout.dialog,
        caption, 9, wideFromUtf8("宋体"));
    if (layout.frame) {
        dialog.add(SS_SUNKEN, *layout.frame, kFrameId, kStaticClass, L"");
    }
    if (layout.prompt) {
        dialog.add(SS_LEFT | SS_NOPREFIX, *layout.prompt, kPromptId, kStaticClass,
                   wideFromUtf8(request.prompt));
    }
    dialog.add(ES_AUTOHSCROLL | ES_LEFT | WS_BORDER | WS_TABSTOP | WS_GROUP, layout.field, kFieldId,
               kEditClass, L"");
    dialog.add(BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, layout.ok, IDOK, kButtonClass,
               wideFromUtf8("确认输入(&O)"));
    dialog.add(BS_PUSHBUTTON | WS_TABSTOP, layout.cancel, IDCANCEL, kButtonClass,
               wideFromUtf8("取消(&C)"));
    Session session{&request, std::nullopt};
    const INT_PTR result = DialogBoxIndirectParamW(instance, dialog.get(), owner, &dialogProcedure,
                                                   reinterpret_cast<LPARAM>(&session));
    return result == IDOK ? session.answer : std::nullopt;
}

}  // namespace quillmora::win32
