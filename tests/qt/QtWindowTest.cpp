#include <QComboBox>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include "tests/qt/QtTestFixture.h"
#include "tests/qt/QtTestSupport.h"

namespace quillmora::qttest {
namespace {

using Reports = std::vector<std::string>;

TEST_F(QtPlatformTest, WindowHasTheClientAreaOfAFixedWindowsFrameCentredOnTheScreen) {
    const WindowId id = showWindow(everyKindWindow());
    QWidget& window = *platform.window(id);
    EXPECT_EQ(window.size(), QSize(789, 551));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillmora    by Brenvik"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window.frameGeometry().topLeft(),
              QPoint((screen.width() - 795) / 2, (screen.height() - 583) / 2));
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_TRUE(waitFor([&] { return window.isActiveWindow(); }));
}

TEST_F(QtPlatformTest, ModalWindowIsOwnedByTheHiddenOwner) {
    const WindowId id = showWindow(everyKindWindow("rules"), WindowOwner::HiddenOwner);
    QWidget& window = *platform.window(id);
    ASSERT_NE(window.parentWidget(), nullptr);
    EXPECT_FALSE(window.parentWidget()->isVisible());
    EXPECT_EQ(window.windowType(), Qt::Dialog);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.isWindow());
}

TEST_F(QtPlatformTest, ControlsStandWhereTheirDeclarationPutsThemAndLookAsDeclared) {
    const WindowId id = showWindow(everyKindWindow());
    EXPECT_EQ(control(id, "列表框1").geometry(), QRect(8, 19, 207, 340));
    EXPECT_EQ(control(id, "列表框1").parentWidget(), &control(id, "分组框1"));
    EXPECT_EQ(control(id, "按钮2").mapTo(platform.window(id), QPoint()), QPoint(9 + 7, 9 + 366));

    auto& group = static_cast<QGroupBox&>(control(id, "分组框1"));
    EXPECT_EQ(group.title(), QStringLiteral("主词："));
    EXPECT_EQ(group.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    auto& count = static_cast<QLabel&>(control(id, "标签1"));
    EXPECT_FALSE(count.isVisible());
    EXPECT_EQ(count.alignment(), Qt::AlignCenter);
    EXPECT_EQ(count.palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(count.font().pixelSize(), 12);
    EXPECT_TRUE(count.font().bold());

    auto& link = static_cast<QLabel&>(control(id, "标签4"));
    const QFontInfo linkFace(link.font());
    EXPECT_EQ(linkFace.pixelSize(), 21);
    EXPECT_TRUE(linkFace.bold());
    EXPECT_TRUE(linkFace.underline());
    // "黑体" falls back to a CJK sans face, not to boxes.
    EXPECT_TRUE(QFontMetrics(link.font()).inFont(QChar(0x8BBF))) << linkFace.family().toStdString();
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(QFontInfo(group.font()).family(), QStringLiteral("WenQuanYi Micro Hei"));

    auto& start = static_cast<QPushButton&>(control(id, "按钮14"));
    EXPECT_TRUE(start.font().bold());
    EXPECT_FALSE(start.autoDefault());
    EXPECT_FALSE(start.isDefault());

    auto& separator = static_cast<QComboBox&>(control(id, "组合框1"));
    EXPECT_TRUE(separator.isEditable());
    EXPECT_EQ(separator.count(), 1);
    EXPECT_EQ(separator.itemText(0), QStringLiteral("回车符"));
    EXPECT_EQ(separator.currentIndex(), -1);
    EXPECT_EQ(separator.currentText(), QString());

    auto& path = static_cast<QLineEdit&>(control(id, "编辑框1"));
    EXPECT_GT(path.maxLength(), 1'000'000);

    const QImage plus = static_cast<QLabel&>(control(id, "图片框1")).pixmap().toImage();
    EXPECT_EQ(plus.size(), QSize(32, 32));
    EXPECT_TRUE(plus.hasAlphaChannel());
    EXPECT_EQ(qAlpha(plus.pixel(0, 0)), 0);
    const QColor middle = plus.pixelColor(16, 16);
    EXPECT_GT(middle.blue(), 150);
    EXPECT_LT(middle.red(), 100);

    EXPECT_EQ(control(id, "标签4").focusPolicy(), Qt::NoFocus);
    EXPECT_NE(control(id, "按钮2").focusPolicy(), Qt::NoFocus);
}

TEST_F(QtPlatformTest, ProgramSetsOneRadioButtonNeverItsPartner) {
    const WindowId id = showWindow(everyKindWindow("rules"), WindowOwner::HiddenOwner);
    // Both unchecked: the program may do that, a pair left exclusive would refuse.
    platform.setChecked(id, "单选框1", false);
    EXPECT_FALSE(platform.isChecked(id, "单选框1"));
    EXPECT_FALSE(platform.isChecked(id, "单选框2"));
    platform.setChecked(id, "单选框2", true);
    platform.setChecked(id, "单选框1", true);
    EXPECT_TRUE(platform.isChecked(id, "单选框1"));
    EXPECT_TRUE(platform.isChecked(id, "单选框2"));
    platform.setChecked(id, "单选框2", false);

    // A click checks the button and unchecks its partner only, not the other pair.
    clickThroughWindow(control(id, "单选框2"));
    EXPECT_FALSE(platform.isChecked(id, "单选框1"));
    EXPECT_TRUE(platform.isChecked(id, "单选框2"));
    EXPECT_TRUE(platform.isChecked(id, "单选框4"));
    EXPECT_FALSE(platform.isChecked(id, "单选框3"));
    clickThroughWindow(control(id, "单选框3"));
    EXPECT_FALSE(platform.isChecked(id, "单选框4"));
    EXPECT_TRUE(platform.isChecked(id, "单选框3"));
    EXPECT_TRUE(platform.isChecked(id, "单选框2"));
    clickThroughWindow(control(id, "单选框3"));
    EXPECT_TRUE(platform.isChecked(id, "单选框3"));
}

TEST_F(QtPlatformTest, ClicksReachOnlyEnabledControlsOfEnabledWindows) {
    const WindowId id = showWindow(everyKindWindow());
    clickThroughWindow(control(id, "按钮2"));
    EXPECT_EQ(events.reports, (Reports{"clicked 按钮2"}));

    platform.setControlEnabled(id, "按钮2", false);
    clickThroughWindow(control(id, "按钮2"));
    platform.setControlEnabled(id, "按钮2", true);
    platform.setWindowEnabled(id, false);
    EXPECT_FALSE(platform.isWindowEnabled(id));
    clickThroughWindow(control(id, "按钮2"));
    pressKeyThroughWindow(control(id, "按钮2"), Qt::Key_Escape);
    requestClose(*platform.window(id));
    EXPECT_EQ(events.reports, (Reports{"clicked 按钮2"}));

    platform.setWindowEnabled(id, true);
    clickThroughWindow(control(id, "按钮2"));
    EXPECT_EQ(events.reports, (Reports{"clicked 按钮2", "clicked 按钮2"}));
}

TEST_F(QtPlatformTest, EscFromAnyControlAndTheCloseBoxAreReportedNotActedOn) {
    const WindowId id = showWindow(everyKindWindow());
    for (const char* name : {"列表框1", "按钮2", "组合框1", "编辑框1", "单选框1"}) {
        pressKeyThroughWindow(control(id, name), Qt::Key_Escape);
    }
    requestClose(*platform.window(id));
    EXPECT_EQ(events.reports, (Reports{"esc", "esc", "esc", "esc", "esc", "close"}));
    EXPECT_TRUE(platform.window(id)->isVisible());
    // Enter clicks no button.
    pressKeyThroughWindow(control(id, "按钮2"), Qt::Key_Return);
    EXPECT_EQ(events.reports.size(), 6U);
}

TEST_F(QtPlatformTest, LinkLabelReportsAReleaseOverItOnly) {
    const WindowId id = showWindow(everyKindWindow());
    QWidget& link = control(id, "标签4");
    clickThroughWindow(link);
    QWindow* handle = link.window()->windowHandle();
    const QPoint inside = link.mapTo(link.window(), link.rect().center());
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, inside + QPoint(0, 200));
    QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier, inside);
    EXPECT_EQ(events.reports, (Reports{"released 标签4"}));
}

TEST_F(QtPlatformTest, DestroyingAWindowInsideItsOwnClickIsSafeAndSilencesIt) {
    const WindowId id = showWindow(everyKindWindow());
    QPointer<QWidget> window = platform.window(id);
    QPointer<QWidget> button = &control(id, "按钮2");
    events.onClick = [&](std::string_view) {
        platform.destroyWindow(id);
        // The rest of the handler runs with the window gone from the screen, and a nested
        // pump must not delete the button whose click is still on the stack.
        EXPECT_FALSE(window->isVisible());
        platform.pumpEvents();
        EXPECT_FALSE(button.isNull());
    };
    clickThroughWindow(*button);
    EXPECT_EQ(platform.window(id), nullptr);
    EXPECT_TRUE(waitFor([&] { return window.isNull(); }));
    EXPECT_EQ(events.reports, (Reports{"clicked 按钮2"}));
}

TEST_F(QtPlatformTest, CloseRequestThatDestroysTheWindowDuringANestedPumpIsSafe) {
    const WindowId id = showWindow(everyKindWindow());
    QPointer<QWidget> window = platform.window(id);
    // A long handler pumping events, as a combination run does; the close box is used
    // meanwhile and the shell destroys the window at once.
    events.onClick = [&](std::string_view) {
        platform.post([&] { requestClose(*window); });
        platform.pumpEvents();
        platform.pumpEvents();
        EXPECT_FALSE(window.isNull());
    };
    events.onClose = [&] { platform.destroyWindow(id); };
    clickThroughWindow(control(id, "按钮2"));
    EXPECT_TRUE(waitFor([&] { return window.isNull(); }));
    EXPECT_EQ(events.reports, (Reports{"clicked 按钮2", "close"}));
}

WordList numberedList(int count) {
    WordList list;
    list.reserve(static_cast<std::size_t>(count), static_cast<std::size_t>(count) * 8);
    for (int i = 0; i < count; ++i) {
        list.appendKnownNew("word" + std::to_string(i));
    }
    return list;
}

TEST_F(QtPlatformTest, ListBoxShowsAMillionWordsAtOnceWithoutCopyingThem) {
    const WordList words = numberedList(1'000'000);
    const WindowId id = showWindow(everyKindWindow());
    QElapsedTimer clock;
    clock.start();
    platform.showList(id, "列表框1", words);
    auto* view = platform.window(id)->listView("列表框1");
    // The first rows are laid out and painted by the next pass of the event loop.
    EXPECT_TRUE(waitFor([&] { return view->indexAt(QPoint(5, 5)).isValid(); },
                        std::chrono::seconds(5)));
    view->repaint();
    const qint64 shownAfter = clock.elapsed();
    EXPECT_EQ(view->model()->rowCount(), 1'000'000);
    EXPECT_EQ(view->model()->index(999'999, 0).data().toString(), QStringLiteral("word999999"));
    std::cout << "a list box of 1,000,000 words painted in " << shownAfter << " ms\n";
    EXPECT_EQ(view->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
}

TEST_F(QtPlatformTest, ListBoxKeepsSelectionAndScrollWhileItsListChanges) {
    WordList words = numberedList(200);
    const WindowId id = showWindow(everyKindWindow());
    platform.showList(id, "列表框1", words);
    auto* view = platform.window(id)->listView("列表框1");
    ASSERT_TRUE(waitFor([&] { return view->verticalScrollBar()->maximum() > 50; }));
    view->verticalScrollBar()->setValue(50);
    const QRect row60 = view->visualRect(view->model()->index(60, 0));
    clickThroughWindow(*view->viewport(), row60.center());
    ASSERT_EQ(events.reports, (Reports{"selected 列表框1 60"}));
    words.select(60);

    for (int i = 0; i < 5000; ++i) {
        words.appendKnownNew("more" + std::to_string(i));
    }
    platform.refreshList(id, "列表框1");
    EXPECT_EQ(view->model()->rowCount(), 5200);
    EXPECT_EQ(view->verticalScrollBar()->value(), 50);
    EXPECT_EQ(view->selectionModel()->selectedRows().value(0).row(), 60);

    words.removeAt(10);  // above the selection, which moves up with its item
    platform.refreshList(id, "列表框1");
    EXPECT_EQ(view->model()->rowCount(), 5199);
    EXPECT_EQ(view->verticalScrollBar()->value(), 50);
    EXPECT_EQ(view->selectionModel()->selectedRows().value(0).row(), 59);
    EXPECT_EQ(view->model()->index(59, 0).data().toString(), QStringLiteral("word60"));

    words.removeAt(59);
    platform.refreshList(id, "列表框1");
    EXPECT_TRUE(view->selectionModel()->selectedRows().isEmpty());
    words.clear();
    platform.refreshList(id, "列表框1");
    EXPECT_EQ(view->model()->rowCount(), 0);
    // The program's changes are not the user's: only the click was reported.
    EXPECT_EQ(events.reports, (Reports{"selected 列表框1 60"}));
}

TEST_F(QtPlatformTest, TextOfFieldsComesOutAsGbkAndPathsAsNativeNames) {
    const WindowId id = showWindow(everyKindWindow("import"), WindowOwner::HiddenOwner);
    commitText(*static_cast<QComboBox&>(control(id, "组合框1")).lineEdit(),
               QStringLiteral("回车符"));
    EXPECT_EQ(platform.controlText(id, "组合框1"), Text("\xBB\xD8\xB3\xB5\xB7\xFB"));

    const std::filesystem::path odd = "/tmp/词 😀/a b.txt";
    platform.setControlPath(id, "编辑框1", odd);
    EXPECT_EQ(platform.controlPath(id, "编辑框1"), odd);
    commitText(control(id, "编辑框1"), QString::fromUtf8("x"));
    EXPECT_EQ(platform.controlPath(id, "编辑框1"), std::filesystem::path("/tmp/词 😀/a b.txtx"));

    platform.setCaption(id, "标签1", "1250");
    platform.setControlVisible(id, "标签1", true);
    EXPECT_EQ(static_cast<QLabel&>(control(id, "标签1")).text(), QStringLiteral("1250"));
    EXPECT_TRUE(control(id, "标签1").isVisible());
}

}  // namespace
}  // namespace quillmora::qttest
