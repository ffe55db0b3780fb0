#include "ui/Browser.h"

#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "platform/BrowserCommand.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <fstream>

namespace qx::ui {

namespace {

constexpr int kQueryTimeoutMs = 3000;

} // namespace

Browser::Browser(const Language& language, MessageBoxer& boxes, std::string title)
    : language_(language), boxes_(boxes), title_(std::move(title)) {}

bool Browser::open(const std::string& address, bool newWindow) {
    const int code = launch(address, newWindow);
    if (code == 0)
        return true;
    boxes_.show(language_.launchErrorText(code), title_, mb::Ok | mb::IconStop);
    return false;
}

int Browser::launch(const std::string& address, bool newWindow) const {
    if (!newWindow || platform::isMailto(address)) {
        const QUrl url(QString::fromStdString(address));
        return url.isValid() && QDesktopServices::openUrl(url) ? 0 : kNoProgram;
    }
    const platform::BrowserCommand command =
        platform::browserCommand(defaultBrowserCommandLine(), address);
    if (command.program.empty())
        return kNoProgram;
    QStringList arguments;
    for (const std::string& argument : command.arguments)
        arguments.append(QString::fromStdString(argument));
    return QProcess::startDetached(QString::fromStdString(command.program), arguments,
                                   QStringLiteral("."))
               ? 0
               : kNotFound;
}

std::string Browser::defaultBrowserCommandLine() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                             QStringLiteral("x-scheme-handler/http")});
    if (!query.waitForFinished(kQueryTimeoutMs) || query.exitCode() != 0) {
        query.kill();
        return {};
    }
    const QString entry = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    if (entry.isEmpty() || entry.contains(QLatin1Char('/')))
        return {};
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    if (path.isEmpty())
        return {};
    std::ifstream file(path.toStdString());
    return platform::desktopExec(file);
}

} // namespace qx::ui
