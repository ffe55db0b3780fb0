#include "ui/tree/TreeDragData.h"

#include "exchange/ExchangeFormats.h"
#include "exchange/InternetShortcut.h"
#include "model/Object.h"
#include "model/ObjectProp.h"
#include "model/Ref.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/refs/RefTVNode.h"

namespace qx {

namespace {

QByteArray bytesOf(std::string_view text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TreeDragData::TreeDragData(RefTreeView& source) : source_(&source) {}

RefTreeView* TreeDragData::sourceOf(const QMimeData& data) {
    const auto* own = qobject_cast<const TreeDragData*>(&data);
    if (!own || !data.hasFormat(QString::fromStdString(exchange::ownPrivateFormat())))
        return nullptr;
    return own->source();
}

std::vector<std::string> TreeDragData::offered() const {
    return {exchange::ownPrivateFormat()};
}

bool TreeDragData::answers(std::string_view format) const {
    return format == exchange::ownPrivateFormat();
}

QByteArray TreeDragData::bytes(std::string_view) const {
    return QByteArray("");
}

QStringList TreeDragData::formats() const {
    const std::vector<std::string> list = offered();
    exchange::FormatEnumerator walk(list);
    QStringList out;
    std::string format;
    while (walk.next(1, &format, nullptr) == exchange::FormatEnumerator::Ok)
        out.append(QString::fromStdString(format));
    return out;
}

bool TreeDragData::hasFormat(const QString& format) const {
    return answers(format.toStdString());
}

QVariant TreeDragData::retrieveData(const QString& format, QMetaType) const {
    const std::string name = format.toStdString();
    const std::vector<std::string> list = offered();
    if (std::find(list.begin(), list.end(), name) == list.end())
        return {};
    return bytes(name);
}

std::vector<std::string> UrlDragDropData::offered() const {
    return exchange::urlDragFormats();
}

bool UrlDragDropData::answers(std::string_view format) const {
    return exchange::urlDragAnswers(format);
}

QByteArray UrlDragDropData::bytes(std::string_view format) const {
    using namespace exchange;
    if (format == ownPrivateFormat())
        return TreeDragData::bytes(format);
    RefTreeView* tree = source();
    TreeViewNode* focus = tree ? tree->focusNode() : nullptr;
    const Object* page = focus ? refOf(*focus).target() : nullptr;
    // A focus node without a page gives an empty answer, not a refusal.
    if (!page)
        return QByteArray("");
    const std::string_view url = page->props().url.view();
    const std::string_view title = page->props().title.view();
    if (format == kUriList)
        return bytesOf(url) + "\r\n";
    if (format == kMozUrl)
        return bytesOf(url) + "\n" + bytesOf(title);
    if (format == kText)
        return bytesOf(url);
    if (format == kShortcut)
        return bytesOf(InternetShortcut::content(url));
    if (format == kSuggestedName)
        return bytesOf(InternetShortcut::fileName(title));
    return {};
}

} // namespace qx
