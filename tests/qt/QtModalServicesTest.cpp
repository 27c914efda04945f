#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "tests/qt/QtTestFixture.h"
#include "tests/qt/QtTestSupport.h"

namespace quillmora::qttest {
namespace {

struct BoxCase {
    MessageBoxKind kind;
    QMessageBox::Icon icon;
    QStringList buttons;
    MessageBoxResult onEsc;
};

TEST_F(QtPlatformTest, MessageBoxShowsItsKindAndAnswersEscAsThePlatformDoes) {
    const BoxCase cases[] = {
        {MessageBoxKind::Error, QMessageBox::Critical, {"确定"}, MessageBoxResult::Ok},
        {MessageBoxKind::Confirmation,
         QMessageBox::Warning,
         {"确定", "取消"},
         MessageBoxResult::Cancel},
        {MessageBoxKind::Information, QMessageBox::Information, {"确定"}, MessageBoxResult::Ok},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        QString title;
        whenModalOpens([&](QWidget& box) {
            auto& messageBox = static_cast<QMessageBox&>(box);
            icon = messageBox.icon();
            title = messageBox.windowTitle();
            for (QAbstractButton* button : messageBox.buttons()) {
                buttons << button->text();
            }
            EXPECT_EQ(messageBox.text(), QStringLiteral("确定要删除吗？"));
            EXPECT_EQ(messageBox.defaultButton()->text(), QStringLiteral("确定"));
            pressKeyThroughWindow(box, Qt::Key_Escape);
        });
        EXPECT_EQ(platform.messageBox("确定要删除吗？", c.kind, "删除"), c.onEsc);
        EXPECT_EQ(icon, c.icon);
        EXPECT_EQ(title, QStringLiteral("删除"));
        buttons.sort();
        QStringList expected = c.buttons;
        expected.sort();
        EXPECT_EQ(buttons, expected);

        whenModalOpens([](QWidget& box) { pressKeyThroughWindow(box, Qt::Key_Return); });
        EXPECT_EQ(platform.messageBox("x", c.kind, "t"), MessageBoxResult::Ok);
    }
}

TEST_F(QtPlatformTest, MessageBoxBlocksEveryWindowOfTheProgram) {
    const WindowId id = showWindow(everyKindWindow());
    whenModalOpens([&](QWidget& box) {
        clickThroughWindow(control(id, "按钮2"));
        clickButtonWithText(box, QStringLiteral("确定"));
    });
    platform.messageBox("完成", MessageBoxKind::Information, "完成");
    EXPECT_TRUE(events.reports.empty());
}

struct InputBoxSeen {
    QSize client;
    QString caption;
    QString prompt;
    QString selected;
    QStringList buttons;
};

InputBoxSeen look(QWidget& dialog) {
    InputBoxSeen seen;
    seen.client = dialog.size();
    seen.caption = dialog.windowTitle();
    if (auto* prompt = dialog.findChild<QLabel*>(QStringLiteral("prompt"))) {
        seen.prompt = prompt->text();
    }
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("field"));
    seen.selected = field->selectedText();
    EXPECT_EQ(dialog.focusWidget(), field);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        seen.buttons << button->text() + (button->isDefault() ? "*" : "");
    }
    seen.buttons.sort();
    return seen;
}

TEST_F(QtPlatformTest, InputBoxHasBothLayoutsInDialogUnitsOfNinePointSongti) {
    const WindowId id = showWindow(everyKindWindow());
    InputBoxRequest request{.caption = "添加词语",
                            .prompt = "请输入词语：",
                            .layout = InputBoxLayout::WithPrompt,
                            .initialText = "\xD6\xF7"};
    InputBoxSeen seen;
    whenModalOpens([&](QWidget& dialog) {
        seen = look(dialog);
        // The main window takes nothing while the box is open.
        clickThroughWindow(control(id, "按钮2"));
        pressKeyThroughWindow(dialog, Qt::Key_Return);
    });
    EXPECT_EQ(platform.inputBox(request), Text("\xD6\xF7"));
    EXPECT_EQ(seen.client, QSize(378, 138));
    EXPECT_EQ(seen.caption, QStringLiteral("添加词语"));
    EXPECT_EQ(seen.prompt, QStringLiteral("请输入词语："));
    EXPECT_EQ(seen.selected, QStringLiteral("主"));
    EXPECT_EQ(seen.buttons, (QStringList{"取消(&C)", "确认输入(&O)*"}));
    EXPECT_TRUE(events.reports.empty());

    request.layout = InputBoxLayout::Compact;
    request.initialText.clear();
    whenModalOpens([&](QWidget& dialog) {
        seen = look(dialog);
        pressKeyThroughWindow(dialog, Qt::Key_Escape);
    });
    EXPECT_EQ(platform.inputBox(request), std::nullopt);
    EXPECT_EQ(seen.client, QSize(321, 84));
    EXPECT_EQ(seen.prompt, QString());
}

TEST_F(QtPlatformTest, InputBoxTakesChineseFromTheInputMethodAndAnEmptyField) {
    const InputBoxRequest request{.caption = "添加词语", .prompt = "请输入词语："};
    whenModalOpens([](QWidget& dialog) {
        commitText(*dialog.findChild<QLineEdit*>(QStringLiteral("field")),
                   QStringLiteral("长尾词"));
        clickButtonWithText(dialog, QStringLiteral("确认输入(&O)"));
    });
    EXPECT_EQ(platform.inputBox(request), Text("\xB3\xA4\xCE\xB2\xB4\xCA"));

    whenModalOpens(
        [](QWidget& dialog) { clickButtonWithText(dialog, QStringLiteral("确认输入(&O)")); });
    EXPECT_EQ(platform.inputBox(request), Text());

    whenModalOpens([](QWidget& dialog) { requestClose(dialog); });
    EXPECT_EQ(platform.inputBox(request), std::nullopt);
}

FileDialogRequest saveRequest(const std::filesystem::path& initialFile) {
    return {.kind = FileDialogRequest::Kind::Save,
            .title = "选定保存的位置",
            .filters = {{"文本文件（*.txt）", "*.txt"}},
            .initialFile = initialFile,
            .defaultExtension = "txt",
            .fileMustExist = true,
            .overwritePrompt = true,
            .pathMustExist = true};
}

void typeFileNameAndConfirm(QWidget& dialog, const QString& name) {
    auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(field, nullptr);
    // As a user would, only once the folder is listed: the dialog selects its initial file
    // when the listing arrives.
    QTest::qWait(300);
    field->setText(name);
    QTest::qWait(50);
    // The completer may offer a matching name; Esc closes its list as a user would.
    if (QWidget* offered = QApplication::activePopupWidget()) {
        QTest::keyClick(offered, Qt::Key_Escape);
    }
    pressKeyThroughWindow(*field, Qt::Key_Return);
}

TEST_F(QtPlatformTest, SaveDialogAddsTxtAndAsksBeforeReplacing) {
    QTemporaryDir folder;
    const std::filesystem::path base = folder.path().toStdString();
    std::ofstream(base / "old.txt") << "x";

    QString title;
    QString filter;
    whenModalOpens([&](QWidget& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        title = files.windowTitle();
        filter = files.selectedNameFilter();
        typeFileNameAndConfirm(dialog, QStringLiteral("新"));
    });
    EXPECT_EQ(platform.fileDialog(saveRequest(base / "old.txt")), base / "新.txt");
    EXPECT_EQ(title, QStringLiteral("选定保存的位置"));
    EXPECT_EQ(filter, QStringLiteral("文本文件（*.txt）"));

    // Replacing asks; No keeps the dialog open, Cancel then gives nothing.
    QString question;
    whenModalOpens([&](QWidget& dialog) {
        whenModalOpens([&](QWidget& box) {
            auto& messageBox = static_cast<QMessageBox&>(box);
            question = messageBox.text();
            whenModalOpens([](QWidget& stillOpen) {
                EXPECT_NE(qobject_cast<QFileDialog*>(&stillOpen), nullptr);
                pressKeyThroughWindow(stillOpen, Qt::Key_Escape);
            });
            clickThroughWindow(*messageBox.button(QMessageBox::No));
        });
        typeFileNameAndConfirm(dialog, QStringLiteral("old"));
    });
    EXPECT_EQ(platform.fileDialog(saveRequest(base / "新.txt")), std::nullopt);
    EXPECT_TRUE(question.contains(QStringLiteral("old.txt"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("替换")) || question.contains("覆盖"))
        << question.toStdString();
}

TEST_F(QtPlatformTest, SaveDialogRefusesAFolderThatDoesNotExist) {
    QTemporaryDir folder;
    const std::filesystem::path base = folder.path().toStdString();
    bool refused = false;
    whenModalOpens([&](QWidget& dialog) {
        whenModalOpens([&](QWidget& box) {
            refused = qobject_cast<QMessageBox*>(&box) != nullptr;
            whenModalOpens(
                [](QWidget& stillOpen) { pressKeyThroughWindow(stillOpen, Qt::Key_Escape); });
            pressKeyThroughWindow(box, Qt::Key_Return);
        });
        typeFileNameAndConfirm(dialog, QString::fromStdString((base / "no" / "a").string()));
    });
    EXPECT_EQ(platform.fileDialog(saveRequest(base / "x.txt")), std::nullopt);
    EXPECT_TRUE(refused);
}

TEST_F(QtPlatformTest, OpenDialogTakesOnlyAnExistingFileAndSpeaksChinese) {
    QTemporaryDir folder;
    const std::filesystem::path base = folder.path().toStdString();
    std::ofstream(base / "words.txt") << "x";
    FileDialogRequest request{.kind = FileDialogRequest::Kind::Open,
                              .title = "选择一个内容文件：",
                              .filters = {{"文本文件（*.txt）", "*.txt"}},
                              .initialFolder = base,
                              .fileMustExist = true,
                              .overwritePrompt = true,
                              .pathMustExist = true};
    QStringList buttonTexts;
    QString notFoundSaid;
    whenModalOpens([&](QWidget& dialog) {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            buttonTexts << button->text();
        }
        whenModalOpens([&](QWidget& notFound) {
            notFoundSaid = messageBoxText(notFound);
            whenModalOpens([](QWidget& stillOpen) {
                typeFileNameAndConfirm(stillOpen, QStringLiteral("words.txt"));
            });
            pressKeyThroughWindow(notFound, Qt::Key_Return);
        });
        typeFileNameAndConfirm(dialog, QStringLiteral("missing.txt"));
    });
    EXPECT_EQ(platform.fileDialog(request), base / "words.txt");
    EXPECT_TRUE(buttonTexts.contains(QStringLiteral("取消")))
        << buttonTexts.join(',').toStdString();
    EXPECT_TRUE(notFoundSaid.contains(QStringLiteral("missing.txt"))) << notFoundSaid.toStdString();
    EXPECT_TRUE(notFoundSaid.contains(QStringLiteral("找不到")) || notFoundSaid.contains("未找到"))
        << notFoundSaid.toStdString();
}

}  // namespace
}  // namespace quillmora::qttest
