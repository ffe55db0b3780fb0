#include "ui/tree/ExternalLinks.h"

#include "exchange/ExchangeFormats.h"
#include "exchange/HtmlLinks.h"

#include <QFile>
#include <QMimeData>
#include <QString>
#include <QUrl>

namespace qx {

namespace {

// A shortcut file is small; anything larger is not one.
constexpr qint64 kMaxShortcutFile = 64 * 1024;

QString mime(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Browsers hand text/x-moz-url over as UTF-16; other programs as UTF-8.
std::string mozUrlText(const QByteArray& bytes) {
    if (bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes.contains('\0')) {
        QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                                          bytes.size() / 2);
        return text.toStdString();
    }
    return bytes.toStdString();
}

// The address inside a dropped ".url" file; the file's own address otherwise.
exchange::DroppedLink fromFile(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url));
    if (!parsed.isLocalFile() ||
        !parsed.path().endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
        return {url, {}};
    QFile file(parsed.toLocalFile());
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxShortcutFile)
        return {};
    const std::string inner = exchange::InternetShortcut::urlOf(file.readAll().toStdString());
    return {inner, parsed.fileName().chopped(4).toStdString()};
}

} // namespace

// Under X11 Qt never lists text/x-moz-url among a drop's formats, yet hands
// over its bytes when asked: ask whatever is listed.
QByteArray mozUrlBytes(const QMimeData& data) {
    return data.data(mime(exchange::kMozUrl));
}

bool hasExternalLinks(const QMimeData& data) {
    using namespace exchange;
    return data.hasFormat(mime(kUriList)) || data.hasFormat(mime(kShortcut)) ||
           data.hasFormat(mime(kNetscapeUrl)) || !mozUrlBytes(data).isEmpty();
}

std::vector<exchange::DroppedLink> externalLinks(const QMimeData& data) {
    using namespace exchange;
    std::vector<DroppedLink> links;
    const QByteArray moz = mozUrlBytes(data);
    const std::string netscape = data.data(mime(kNetscapeUrl)).toStdString();
    if (!moz.isEmpty()) {
        links = parseMozUrl(mozUrlText(moz));
    } else if (data.hasFormat(mime(kUriList))) {
        for (const DroppedLink& link : parseUriList(data.data(mime(kUriList)).toStdString())) {
            DroppedLink read = fromFile(link.url);
            if (!read.url.empty())
                links.push_back(std::move(read));
        }
    } else if (!netscape.empty()) {
        links = parseMozUrl(netscape);
    } else if (data.hasFormat(mime(kShortcut))) {
        const std::string url = InternetShortcut::urlOf(data.data(mime(kShortcut)).toStdString());
        if (!url.empty())
            links.push_back({url, {}});
    }
    // A browser that gave only addresses may still name them elsewhere.
    addTitles(links, parseMozUrl(netscape));
    if (data.hasHtml())
        addTitles(links, parseHtmlLinks(data.html().toStdString()));
    return links;
}

} // namespace qx
