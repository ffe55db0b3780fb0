#pragma once

#include <functional>

class QWidget;

namespace qx::bench {

// Milliseconds the work took, on the steady clock.
double millis(const std::function<void()>& work);
// Shows the window and lets it be exposed, so that repaint() paints at once.
void showExposed(QWidget& window);

} // namespace qx::bench
