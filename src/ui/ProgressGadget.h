#pragma once

#include <QWidget>

namespace qx::ui {

// The status bar's progress display: a row of small blocks in the highlight
// colour whose count follows a value of 0..100.
class ProgressGadget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kId = 1000;
    // A plain text gadget is only as wide as its border; this one asks for
    // this much more.
    static constexpr int kExtraWidth = 150;

    explicit ProgressGadget(QWidget* parent = nullptr);

    int value() const { return value_; }
    // Clamps to 0..100; repaints only when the value changes.
    void setValue(int value);

    // How many blocks a gadget of this width shows for a value.
    static int blockCount(int width, int value);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = 0;
};

} // namespace qx::ui
