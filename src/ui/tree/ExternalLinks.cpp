#include "ui/tree/ExternalLinks.h"

#include "exchange/ExchangeFormats.h"

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

bool hasExternalLinks(const QMimeData& data) {
    return data.hasFormat(mime(exchange::kMozUrl)) || data.hasFormat(mime(exchange::kUriList)) ||
           data.hasFormat(mime(exchange::kShortcut));
}

std::vector<exchange::DroppedLink> externalLinks(const QMimeData& data) {
    using namespace exchange;
    std::vector<DroppedLink> links;
    if (data.hasFormat(mime(kMozUrl))) {
        links = parseMozUrl(mozUrlText(data.data(mime(kMozUrl))));
    } else if (data.hasFormat(mime(kUriList))) {
        for (const DroppedLink& link : parseUriList(data.data(mime(kUriList)).toStdString())) {
            DroppedLink read = fromFile(link.url);
            if (!read.url.empty())
                links.push_back(std::move(read));
        }
    } else if (data.hasFormat(mime(kShortcut))) {
        const std::string url = InternetShortcut::urlOf(data.data(mime(kShortcut)).toStdString());
        if (!url.empty())
            links.push_back({url, {}});
    }
    return links;
}

} // namespace qx
