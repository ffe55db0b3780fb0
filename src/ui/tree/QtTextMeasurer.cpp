#include "ui/tree/QtTextMeasurer.h"

#include <QString>

namespace qx {

namespace {
QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

QtTextMeasurer::QtTextMeasurer(const QFont& font)
    : metrics_(font), averageWidth_(metrics_.averageCharWidth()) {}

void QtTextMeasurer::setFont(const QFont& font) {
    metrics_ = QFontMetrics(font);
    averageWidth_ = metrics_.averageCharWidth();
}

int QtTextMeasurer::charHeight() const {
    return metrics_.height();
}

int QtTextMeasurer::averageCharWidth() const {
    return averageWidth_;
}

TreeSize QtTextMeasurer::measure(std::string_view text, bool multiLine, int wrapWidth) {
    const QString s = toQString(text);
    if (!multiLine)
        return {metrics_.horizontalAdvance(s), metrics_.height()};
    constexpr int kUnbounded = 1 << 24;
    const int flags = Qt::AlignLeft | Qt::AlignTop | (wrapWidth > 0 ? Qt::TextWordWrap : 0);
    const QRect r = metrics_.boundingRect(
        QRect(0, 0, wrapWidth > 0 ? wrapWidth : kUnbounded, kUnbounded), flags, s);
    return {r.width(), r.height()};
}

} // namespace qx
