#pragma once

#include "ui/tree/model/TreeTextSearch.h"

#include <QObject>
#include <QPointer>

#include <string>

namespace qx {
class Language;
class MessageBoxer;
class TreeView;
class TreeViewNode;
} // namespace qx

namespace qx::ui {

class FindReplaceDialog;

// Find in the trees: the modeless find and replace dialogs and the search
// they run over the rows of the focused tree. A replacement renames organizer
// nodes only (the sites tree's names are addresses): the current match, or
// every shown organizer node whose name holds the text.
class SearchHandler : public QObject {
    Q_OBJECT
public:
    // What the search needs of the main view.
    class Host {
    public:
        virtual TreeView* searchTree() = 0;
        virtual TreeView* organizerRows() = 0;
        // The row's node renamed, or false when it may not be (not an
        // organizer node, or no name of its own to change).
        virtual bool renameRow(TreeViewNode& row, const TextQuery& query, const std::string& with,
                               bool all, int& replaced) = 0;
        virtual void renamed(int count) = 0;

    protected:
        ~Host() = default;
    };

    SearchHandler(Host& host, const Language& language, QWidget* parent);
    // Where the question at the end of a tree and the message back at the
    // start go; without one the search ends there silently.
    void setBoxes(MessageBoxer* boxes) { boxes_ = boxes; }
    ~SearchHandler() override;

    // The commands: each dialog only while neither is open; find next while
    // the last text is not empty.
    bool canOpen() const { return dialog_.isNull(); }
    bool canFindNext() const { return !query_.text.empty(); }
    void openFind() { open(false); }
    void openReplace() { open(true); }
    void findNext();
    FindReplaceDialog* dialog() const;

private:
    void open(bool replace);
    void takeQuery();
    void replaceOne();
    void replaceAll();
    void show(TreeView& tree, TreeViewNode& row);

    Host& host_;
    const Language& language_;
    MessageBoxer* boxes_ = nullptr;
    QWidget* parent_;
    QPointer<FindReplaceDialog> dialog_;
    TextQuery query_;
    TreeTextSearch search_;
};

} // namespace qx::ui
