#include "QtBench.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include <chrono>

namespace qx::bench {

double millis(const std::function<void()>& work) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void showExposed(QWidget& window) {
    window.show();
    for (int i = 0; i < 10 && !(window.windowHandle() && window.windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

} // namespace qx::bench
