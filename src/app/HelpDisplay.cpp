#include "app/HelpDisplay.h"

#include <QDesktopServices>

namespace qx::app {

QUrl HelpDisplay::url(const QString& anchor) const {
    QUrl url = QUrl::fromLocalFile(helpFile_);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

void BrowserHelpDisplay::show(const QUrl& url) { QDesktopServices::openUrl(url); }

} // namespace qx::app
