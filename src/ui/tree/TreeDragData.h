#pragma once

#include "exchange/LinkBytes.h"
#include "exchange/ShortcutFiles.h"

#include <QMimeData>
#include <QPointer>

#include <string>
#include <string_view>
#include <vector>

namespace qx {

class RefTreeView;

// The data of a drag out of a reference tree. Inside this process it names the
// tree whose selection is dragged (its private format carries nothing);
// everything it offers is made only when a receiver asks for it.
class TreeDragData : public QMimeData {
    Q_OBJECT
public:
    explicit TreeDragData(RefTreeView& source);

    // Null once the tree is gone.
    RefTreeView* source() const { return source_; }
    // The tree of a drag of this process, or null for any other data.
    static RefTreeView* sourceOf(const QMimeData& data);

    QStringList formats() const override;
    bool hasFormat(const QString& format) const override;

protected:
    QVariant retrieveData(const QString& format, QMetaType type) const override;
    virtual std::vector<std::string> offered() const;
    virtual bool answers(std::string_view format) const;
    // The bytes of an offered format.
    virtual QByteArray bytes(std::string_view format) const;

private:
    QPointer<RefTreeView> source_;
};

// A reference tree's drag: besides the private format, every selected
// reference in each format other programs read (exchange::LinkBytes), taken
// when the drag starts. A file manager takes the files of a uri-list and no
// web address, so the references' Internet shortcuts, written when the drag
// starts, follow the addresses in the uri-list as "file://" entries (a
// browser takes the first address).
class UrlDragDropData : public TreeDragData {
    Q_OBJECT
public:
    // Without shortcuts, the uri-list holds the addresses alone.
    explicit UrlDragDropData(RefTreeView& source, exchange::ShortcutFiles* shortcuts = nullptr);

    // The references of the tree's selection (the focus node when nothing is
    // selected), folders expanded.
    static exchange::LinkBytes linksOf(RefTreeView& tree);
    // Puts every format of the links on data.
    static void put(const exchange::LinkBytes& links, QMimeData& data);

protected:
    std::vector<std::string> offered() const override;
    bool answers(std::string_view format) const override;
    QByteArray bytes(std::string_view format) const override;

private:
    exchange::LinkBytes links_;
    std::vector<std::string> shortcuts_;
};

} // namespace qx
