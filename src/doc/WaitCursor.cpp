#include "doc/WaitCursor.h"

#include <QGuiApplication>

namespace qx::doc {

WaitCursor::WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

WaitCursor::~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }

} // namespace qx::doc
