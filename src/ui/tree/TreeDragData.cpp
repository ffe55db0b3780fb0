#include "ui/tree/TreeDragData.h"

#include "exchange/ExchangeFormats.h"
#include "model/Ref.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/refs/RefDrop.h"
#include "ui/tree/refs/RefTVNode.h"

#include <algorithm>

namespace qx {

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

UrlDragDropData::UrlDragDropData(RefTreeView& source, exchange::ShortcutFiles* shortcuts)
    : TreeDragData(source), links_(linksOf(source)) {
    if (shortcuts && !links_.empty())
        shortcuts_ = shortcuts->write(links_.links());
}

exchange::LinkBytes UrlDragDropData::linksOf(RefTreeView& tree) {
    std::vector<Ref*> chosen = RefDrop::outermost(tree.binding().selection());
    if (chosen.empty() && tree.focusNode())
        chosen.push_back(&refOf(*tree.focusNode()));
    const std::vector<const Ref*> nodes(chosen.begin(), chosen.end());
    return exchange::LinkBytes::of(nodes);
}

void UrlDragDropData::put(const exchange::LinkBytes& links, QMimeData& data) {
    for (std::string_view format : links.formats())
        data.setData(QString::fromLatin1(format.data(), static_cast<qsizetype>(format.size())),
                     QByteArray::fromStdString(links.bytes(format)));
}

std::vector<std::string> UrlDragDropData::offered() const {
    std::vector<std::string> list = TreeDragData::offered();
    for (std::string_view format : links_.formats())
        list.emplace_back(format);
    return list;
}

bool UrlDragDropData::answers(std::string_view format) const {
    const std::vector<std::string> list = offered();
    return std::find(list.begin(), list.end(), format) != list.end();
}

QByteArray UrlDragDropData::bytes(std::string_view format) const {
    if (format == exchange::ownPrivateFormat())
        return TreeDragData::bytes(format);
    std::string out = links_.bytes(format);
    if (format == exchange::kUriList) {
        for (const std::string& file : shortcuts_)
            out.append(file).append("\r\n");
    }
    return QByteArray::fromStdString(out);
}

} // namespace qx
