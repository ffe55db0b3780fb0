#pragma once

#include "ui/tree/model/TextMeasurer.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>

#include <vector>

namespace qx {

// Label sizes from a Qt font. The cheap width sums cached advances of single
// characters, which is close enough for rows off screen and costs a table look-up
// per character instead of a text layout.
class QtTextMeasurer : public TextMeasurer {
public:
    explicit QtTextMeasurer(const QFont& font);
    void setFont(const QFont& font);

    int charHeight() const override;
    int averageCharWidth() const override;
    TreeSize measure(std::string_view text, bool multiLine, int wrapWidth) override;
    int estimateWidth(std::string_view text) override;

private:
    float advance(char16_t c);

    QFontMetrics metrics_;
    QFontMetricsF metricsF_;
    std::vector<float> advances_; // by UTF-16 unit; negative until asked
};

} // namespace qx
