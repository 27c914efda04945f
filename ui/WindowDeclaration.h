#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmora {

// A window and its controls as fixed data: the shell hands a declaration to the platform,
// which creates the window from it each time the window is loaded. Places and sizes are in
// pixels at 96 DPI; a control's place is relative to the client area of its parent (the
// window, or the group box it sits in). Texts are the program's fixed texts, UTF-8.

enum class ControlKind {
    GroupBox,
    ListBox,
    Button,
    Label,
    PictureBox,
    ComboBox,  // drop-down with an editable text field
    EditBox,   // one line, editable, no length limit, sunken border
    RadioButton,
};

// Tab and Shift+Tab visit these; labels, group boxes and pictures are passed over.
constexpr bool isTabStop(ControlKind kind) {
    return kind == ControlKind::ListBox || kind == ControlKind::Button ||
           kind == ControlKind::ComboBox || kind == ControlKind::EditBox ||
           kind == ControlKind::RadioButton;
}

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct FontDeclaration {
    std::string face;  // empty: the system's default face
    int pixelHeight = 0;
    bool bold = false;
    bool underline = false;
    friend bool operator==(const FontDeclaration&, const FontDeclaration&) = default;
};

enum class TextAlignment {
    Left,    // left-aligned, vertically centred, one line
    Center,  // centred both ways, one line
};

enum class Picture { None, PlusSign, DoubleChevron };

enum class PointerShape { Default, Hand };

struct ControlDeclaration {
    std::string name;  // the control's declared name, unique within its window: "按钮14"
    ControlKind kind = ControlKind::Label;
    std::string parent;  // empty: the window; else the name of the group box holding it
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string caption;
    bool visible = true;
    bool checked = false;                           // radio buttons
    std::optional<FontDeclaration> font;            // none: the system's default GUI font
    std::optional<Rgb> textColor;                   // none: the system's text colour
    TextAlignment alignment = TextAlignment::Left;  // labels
    PointerShape pointer = PointerShape::Default;
    Picture picture = Picture::None;  // picture boxes: a 32 x 32 image with transparency
    std::vector<std::string> items;   // combo boxes: the drop-down list, not sorted
    int droppedHeight = 0;            // combo boxes: height with the list dropped down
};

struct WindowDeclaration {
    std::string role;     // "main", "import", "rules": how the shell and the stories name it
    std::string caption;  // the title bar
    int outerWidth = 0;   // frame and title bar included
    int outerHeight = 0;
    std::vector<ControlDeclaration> controls;  // parents before the controls they hold
};

}  // namespace quillmora
