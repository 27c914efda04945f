// Renders the three windows as the Qt front end draws them, for the README:
// quillmora_screenshots <folder> writes qt-main.png, qt-import.png and qt-rules.png. The
// title bar is drawn around each client area with the frame metrics the layout assumes.

#include <QApplication>
#include <QDir>
#include <QPainter>

#include "ui/ImportWindow.h"
#include "ui/MainWindow.h"
#include "ui/RulesWindow.h"
#include "ui/qt/GbkCodec.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtWindow.h"
#include "ui/qt/WindowFrame.h"

namespace {

using namespace quillmora;

WordList wordsOf(std::initializer_list<const char*> words) {
    WordList list;
    for (const char* word : words) {
        list.append(encodeGbk(QString::fromUtf8(word)).value_or(""));
    }
    return list;
}

QImage framed(QWidget& window) {
    const QImage client = window.grab().toImage();
    QImage outer(client.width() + 2 * kFrameBorder,
                 client.height() + 2 * kFrameBorder + kCaptionHeight, QImage::Format_RGB32);
    outer.fill(QColor(0xd4, 0xd0, 0xc8));
    QPainter painter(&outer);
    QLinearGradient caption(0, 0, outer.width(), 0);
    caption.setColorAt(0, QColor(0x0a, 0x24, 0x6a));
    caption.setColorAt(1, QColor(0xa6, 0xca, 0xf0));
    painter.fillRect(QRect(kFrameBorder, kFrameBorder, client.width(), kCaptionHeight - 1),
                     caption);
    painter.setPen(Qt::white);
    QFont font = QApplication::font();
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(kFrameBorder + 6, kFrameBorder, client.width() - 60, kCaptionHeight - 1),
                     Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
    painter.drawText(QRect(outer.width() - 52, kFrameBorder, 46, kCaptionHeight - 1),
                     Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("_   X"));
    painter.drawImage(kFrameBorder, kFrameBorder + kCaptionHeight, client);
    return outer;
}

bool save(QWidget& window, const QDir& folder, const char* name) {
    QCoreApplication::processEvents();
    return framed(window).save(folder.filePath(QString::fromLatin1(name)));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QtPlatform platform(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const WordList mainWords = wordsOf({"北京", "上海", "广州", "深圳"});
    const WordList longTailWords = wordsOf({"旅游攻略", "天气预报", "美食推荐"});
    WordList combined;
    for (int m = 0; m < mainWords.count(); ++m) {
        for (int t = 0; t < longTailWords.count(); ++t) {
            combined.append(mainWords.itemAt(m) + longTailWords.itemAt(t));
        }
    }
    const WindowId main = platform.createWindow(mainWindowDeclaration(), WindowOwner::None);
    platform.showList(main, "列表框1", mainWords);
    platform.showList(main, "列表框2", longTailWords);
    platform.showList(main, "列表框3", combined);
    for (const auto& [label, list] :
         {std::pair{"标签1", &mainWords}, std::pair{"标签2", &longTailWords},
          std::pair{"标签3", static_cast<const WordList*>(&combined)}}) {
        platform.setControlVisible(main, label, true);
        platform.setCaption(main, label, std::to_string(list->count()));
    }
    platform.showWindow(main);
    bool saved = save(*platform.window(main), folder, "qt-main.png");

    const WindowId import =
        platform.createWindow(importWindowDeclaration(), WindowOwner::HiddenOwner);
    platform.showWindow(import);
    platform.setControlPath(import, "编辑框1", "/home/user/主词.txt");
    saved = save(*platform.window(import), folder, "qt-import.png") && saved;
    platform.destroyWindow(import);

    const WindowId rules =
        platform.createWindow(rulesWindowDeclaration(), WindowOwner::HiddenOwner);
    platform.showWindow(rules);
    saved = save(*platform.window(rules), folder, "qt-rules.png") && saved;
    return saved ? 0 : 1;
}
