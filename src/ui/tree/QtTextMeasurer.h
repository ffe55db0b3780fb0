#pragma once

#include "ui/tree/model/TextMeasurer.h"

#include <QFont>
#include <QFontMetrics>

namespace qx {

// Label sizes from a Qt font.
class QtTextMeasurer : public TextMeasurer {
public:
    explicit QtTextMeasurer(const QFont& font);
    void setFont(const QFont& font);

    int charHeight() const override;
    int averageCharWidth() const override;
    TreeSize measure(std::string_view text, bool multiLine, int wrapWidth) override;

private:
    QFontMetrics metrics_;
    int averageWidth_;
};

} // namespace qx
