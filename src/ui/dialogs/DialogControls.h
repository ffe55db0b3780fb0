#pragma once

#include <QString>
#include <functional>

class QDialog;
class QDialogButtonBox;
class QWidget;

namespace qx {
class Language;
}

namespace qx::ui {

// Dialog controls are found by their numbers, in the program as in the tests.
template <typename W> W* control(int id, W* widget) {
    widget->setObjectName(QString::number(id));
    return widget;
}

using HelpHandler = std::function<void(int context)>;

// The dynamic property by which a dialog tells F1 its help context.
inline constexpr const char* kHelpContextProperty = "helpContext";

// OK (1, the default) and Cancel (2) wired to the dialog; with a help context,
// also Help (9), which shows that context, and the context becomes the
// dialog's kHelpContextProperty.
QDialogButtonBox* dialogButtons(QDialog& dialog, const Language& language, HelpHandler help = {},
                                int helpContext = 0);

// Keeps a window on its screen's free area (the desktop's panels left out):
// no larger than it, with room for a title bar, and moved back onto it. A
// stored size or a large scale factor must not put the window's buttons out
// of reach.
void fitToScreen(QWidget& window);

} // namespace qx::ui
