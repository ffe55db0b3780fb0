#include "app/HelpDisplay.h"

#include "lang/Language.h"

#include <QDesktopServices>

namespace qx::app {

QUrl HelpDisplay::url(const QString& anchor) const {
    QUrl url = QUrl::fromLocalFile(helpFile_);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url;
}

void HelpDisplay::contents() {
    show(url(QString()));
}

void HelpDisplay::context(int number) {
    show(url(QString::fromStdString(Language::helpAnchor(static_cast<unsigned>(number)))));
}

void HelpDisplay::helpOnHelp() {
    show(url(QStringLiteral("contents")));
}

void BrowserHelpDisplay::show(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

} // namespace qx::app
