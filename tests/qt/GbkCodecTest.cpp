#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>

#include "tests/qt/QtTestSupport.h"
#include "ui/qt/GbkCodec.h"
#include "ui/qt/GbkInputGuard.h"

namespace quillmora {
namespace {

struct RoundTrip {
    const char* utf8;
    const char* gbk;
};

TEST(GbkCodec, DecodesAndEncodesCodePage936) {
    const RoundTrip cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"主词", "\xD6\xF7\xB4\xCA"},
        {"回车符", "\xBB\xD8\xB3\xB5\xB7\xFB"},
        {"€", "\x80"},                 // code page 936 has the euro sign at 0x80
        {"\xE3\x80\x80", "\xA1\xA1"},  // ideographic space
        {"镕", "\xE9\x46"},            // GBK beyond GB 2312, second byte below 0x80
        {"a\tb", "a\tb"},
    };
    for (const RoundTrip& c : cases) {
        const QString decoded = decodeGbk(c.gbk);
        EXPECT_EQ(decoded, QString::fromUtf8(c.utf8)) << c.utf8;
        EXPECT_EQ(encodeGbk(decoded), Text(c.gbk)) << c.utf8;
    }
}

TEST(GbkCodec, RefusesWhatGbkCannotHoldAndRecoversAfterIt) {
    for (const char* outside : {"😀", "•", "ÿ", "한국", "词™"}) {
        EXPECT_EQ(encodeGbk(QString::fromUtf8(outside)), std::nullopt) << outside;
    }
    // A failed text must not spoil the next one.
    EXPECT_EQ(encodeGbk(QStringLiteral("主词")), Text("\xD6\xF7\xB4\xCA"));
    EXPECT_EQ(firstCharacterOutsideGbk(QString::fromUtf8("主词😀尾")), QString::fromUtf8("😀"));
    EXPECT_EQ(firstCharacterOutsideGbk(QStringLiteral("主词")), QString());
}

TEST(GbkCodec, ShowsBytesThatAreNotGbkWithoutTouchingTheRest) {
    const QString decoded = decodeGbk(
        "a\x81"
        "b\xD6\xF7");
    EXPECT_TRUE(decoded.startsWith(QLatin1Char('a')));
    EXPECT_TRUE(decoded.endsWith(QStringLiteral("主")));
    EXPECT_EQ(decodeGbk("\xD6\xF7"), QStringLiteral("主"));
}

TEST(GbkInputGuard, RefusesAnEmojiTypedIntoAWordFieldAndSaysSo) {
    QLineEdit field;
    guardGbkInput(field);
    field.show();
    qttest::commitText(field, QStringLiteral("主词"));
    QString told;
    qttest::whenModalOpens([&](QWidget& box) {
        told = qttest::messageBoxText(box);
        qttest::clickButtonWithText(box, QStringLiteral("确定"));
    });
    qttest::commitText(field, QString::fromUtf8("😀"));
    ASSERT_TRUE(qttest::waitFor([&] { return !told.isEmpty(); }));
    EXPECT_EQ(field.text(), QStringLiteral("主词"));
    EXPECT_TRUE(told.contains(QString::fromUtf8("😀"))) << told.toStdString();
    ASSERT_TRUE(qttest::waitFor([] { return qttest::activeModal() == nullptr; }));

    qttest::commitText(field, QStringLiteral("€"));
    EXPECT_EQ(field.text(), QStringLiteral("主词€"));
}

}  // namespace
}  // namespace quillmora
