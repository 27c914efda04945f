#include "ui/qt/GbkCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quillmora {

namespace {

constexpr const char* kCodePage936 = "GBK";

}  // namespace

// Each call takes a fresh converter: Qt 6.4's ICU converters keep reporting an error after
// resetState(), so one that failed once would fail every text after it.
QString decodeGbk(std::string_view bytes) {
    QStringDecoder decoder(kCodePage936, QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::optional<Text> encodeGbk(const QString& text) {
    QStringEncoder encoder(kCodePage936, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        return std::nullopt;
    }
    return Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString firstCharacterOutsideGbk(const QString& text) {
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype length =
            (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ? 2
                : 1;
        const QString character = text.mid(i, length);
        if (!encodeGbk(character)) {
            return character;
        }
        i += length;
    }
    return {};
}

}  // namespace quillmora
