#include "ui/qt/Fonts.h"

#include <QApplication>
#include <QStringList>

namespace quillmora {

namespace {

// The CJK sans faces Debian ships, best first; WenQuanYi Micro Hei is the one we depend on.
const QStringList& cjkSansFaces() {
    static const QStringList faces{
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("Droid Sans Fallback")};
    return faces;
}

// The default GUI font of a Chinese Windows: 9 points at 96 DPI, 12 pixels.
constexpr int kDefaultPixelSize = 12;

}  // namespace

void installProgramFonts() {
    // Windows names used by the program, mapped to what a Linux desktop has when they are
    // missing; where SimHei or SimSun are installed, they are found by these names first.
    QFont::insertSubstitutions(QStringLiteral("黑体"),
                               QStringList{QStringLiteral("SimHei")} + cjkSansFaces());
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               QStringList{QStringLiteral("SimSun")} + cjkSansFaces());
    QFont font;
    font.setFamilies(cjkSansFaces());
    font.setPixelSize(kDefaultPixelSize);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

QFont fontFor(const FontDeclaration& declaration) {
    QFont font = QApplication::font();
    if (!declaration.face.empty()) {
        QStringList families{QString::fromStdString(declaration.face)};
        families += cjkSansFaces();
        font.setFamilies(families);
    }
    if (declaration.pixelHeight > 0) {
        font.setPixelSize(declaration.pixelHeight);
    }
    font.setBold(declaration.bold);
    font.setUnderline(declaration.underline);
    return font;
}

QFont inputBoxFont() {
    QFont font = QApplication::font();
    font.setFamilies(QStringList{QStringLiteral("宋体")} + cjkSansFaces());
    font.setPixelSize(kDefaultPixelSize);
    return font;
}

}  // namespace quillmora
