#include "app/Setup.h"

#include "exchange/HtmlEscape.h"
#include "platform/FilePath.h"
#include "platform/TextLimit.h"
#include "settings/ApplicationProfile.h"
#include "settings/AtomicFile.h"

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <cstdio>

namespace qx::app {

namespace {

// A desktop entry's string value is one line.
std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r')
            c = ' ';
    return text;
}

void runTool(const char* tool, const std::string& folder) {
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty())
        return;
    QProcess process;
    process.start(program, {QString::fromStdString(folder)});
    process.waitForFinished(10000);
}

} // namespace

std::string Setup::mimeFile() const {
    return platform::joinPath(places_.dataHome, "mime/packages/qxseek.xml");
}

std::string Setup::desktopFile() const {
    return platform::joinPath(places_.dataHome, "applications/qxseek.desktop");
}

std::string Setup::execLine(const std::string& program) {
    // Quoting rules first: a backslash before each of " ` $ \ inside double
    // quotes; then the string rules double every backslash; "%" is "%%".
    std::string quoted = "\"";
    for (char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c == '%' ? std::string("%%") : std::string(1, c);
    }
    quoted += '"';
    std::string line;
    for (char c : quoted)
        line += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return oneLine(line) + " %f";
}

bool Setup::install(const std::string& name, const std::string& typeDescription,
                    const std::string& workFolder) const {
    const std::string mime =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" +
        std::string(kMimeType) + "\">\n    <comment>" + HtmlEscape::escape(typeDescription) +
        "</comment>\n    <glob pattern=\"*.qxo\"/>\n  </mime-type>\n</mime-info>\n";
    std::string desktop = "[Desktop Entry]\nType=Application\nName=" + oneLine(name) +
                          "\nExec=" + execLine(places_.executable) + "\nMimeType=" + kMimeType +
                          ";\nCategories=Network;\nTerminal=false\n";
    if (!workFolder.empty())
        desktop += "Path=" + oneLine(workFolder) + "\n";
    const bool written = AtomicFile::replace(mimeFile(), mime) == 0 &&
                         AtomicFile::replace(desktopFile(), desktop) == 0;
    refreshDatabases();
    return written;
}

void Setup::uninstall() const {
    std::remove(mimeFile().c_str());
    std::remove(desktopFile().c_str());
    std::remove(places_.settingsFile.c_str());
    refreshDatabases();
}

void Setup::refreshDatabases() const {
    runTool("update-mime-database", platform::joinPath(places_.dataHome, "mime"));
    runTool("update-desktop-database", platform::joinPath(places_.dataHome, "applications"));
}

Setup::ReadOnlyMedia Setup::readOnlyMedia(const std::string& iniPath) {
    const ApplicationProfile key(iniPath);
    ReadOnlyMedia values;
    values.language = key.readString(kReadOnlyMediaSection, "ROLang", "");
    values.folder = key.readString(kReadOnlyMediaSection, "ROFolder", "");
    platform::limitText(values.language, 15);
    platform::limitText(values.folder, 31);
    return values;
}

} // namespace qx::app
