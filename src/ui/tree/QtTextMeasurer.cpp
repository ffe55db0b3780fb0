#include "ui/tree/QtTextMeasurer.h"

#include <QString>

#include <cmath>

namespace qx {

namespace {
QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

QtTextMeasurer::QtTextMeasurer(const QFont& font) : metrics_(font), metricsF_(font) {}

void QtTextMeasurer::setFont(const QFont& font) {
    metrics_ = QFontMetrics(font);
    metricsF_ = QFontMetricsF(font);
    advances_.clear();
}

int QtTextMeasurer::charHeight() const {
    return metrics_.height();
}

int QtTextMeasurer::averageCharWidth() const {
    return metrics_.averageCharWidth();
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

float QtTextMeasurer::advance(char16_t c) {
    if (advances_.empty())
        advances_.assign(0x10000, -1.0f);
    float& a = advances_[c];
    if (a < 0)
        a = static_cast<float>(metricsF_.horizontalAdvance(QChar(c)));
    return a;
}

int QtTextMeasurer::estimateWidth(std::string_view text) {
    float width = 0;
    bool ascii = true;
    for (char ch : text) {
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
        width += advance(static_cast<char16_t>(ch));
    }
    if (!ascii) {
        width = 0;
        const QString s = toQString(text);
        for (QChar c : s) {
            // Characters outside the basic plane need shaping: measure them exactly.
            if (c.isSurrogate())
                return measure(text, false, 0).width;
            width += advance(c.unicode());
        }
    }
    return static_cast<int>(std::ceil(width));
}

} // namespace qx
