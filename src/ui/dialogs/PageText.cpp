#include "ui/dialogs/PageText.h"

#include "model/CharsetConverter.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qx::ui {

namespace {

// Titles without a known charset are read as UTF-8, the program's own.
const char* encodingName(std::uint32_t charset) {
    const char* name = CharsetConverter::iconvname(charset);
    return name ? name : "UTF-8";
}

} // namespace

QString PageText::decode(const Str& bytes, std::uint32_t charset) {
    QStringDecoder decoder(encodingName(charset));
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    return decoder.decode(QByteArrayView(bytes.c_str(), static_cast<qsizetype>(bytes.length())));
}

Str PageText::encode(const QString& text, const Str& original, std::uint32_t charset) {
    if (text == decode(original, charset))
        return original;
    QStringEncoder encoder(encodingName(charset));
    if (!encoder.isValid())
        encoder = QStringEncoder(QStringEncoder::Utf8);
    const QByteArray bytes = encoder.encode(text);
    return Str(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace qx::ui
