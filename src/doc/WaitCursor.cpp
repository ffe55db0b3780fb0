#include "doc/WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace qx::doc {

WaitCursor::WaitCursor() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor() {
    QGuiApplication::restoreOverrideCursor();
}

} // namespace qx::doc
