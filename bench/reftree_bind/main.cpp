// The reference trees against the plain tree view control. A document of
// 100 000 organizer references in 1 000 folders and 100 000 pages in the
// domain tree, expanded to the first level: binding both trees and painting
// the first screen, against building the same labels into the plain control
// and painting. Then hiding and showing 10 000 references against binding a
// tree of that size: by the filters alone, and by the user's commands on a
// selection of them. Prints ratios (below 1: ours faster).

#include "doc/CommandTable.h"
#include "doc/DocumentStore.h"
#include "doc/Editor.h"
#include "lang/Language.h"
#include "model/DDoc.h"
#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "settings/Options.h"
#include "ui/Commands.h"
#include "ui/DocumentTrees.h"
#include "ui/tree/RefTreeHost.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/model/TreeViewNode.h"
#include "ui/tree/model/TreeViewRoot.h"
#include "ui/tree/refs/RefTVNode.h"

#include "QtBench.h"

#include <QApplication>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

using qx::bench::millis;

constexpr int kFolders = 1000;
constexpr int kPerFolder = 100;
constexpr int kHosts = 1000;
constexpr int kToggled = 10000;
constexpr int kRuns = 3;
constexpr QSize kWindow(600, 800);

class NoHost final : public qx::RefTreeHost {
public:
    void treeFocused(qx::RefTreeView&) override {}
    void treeCommand(int) override {}
    void treeStatus(const qx::RefStatus&) override {}
    void treeContextMenu(QPoint) override {}
    bool treeDrop(qx::Ref&, const QMimeData&, std::uint32_t) override { return false; }
};

// The document is filled here, never read or written.
class NoStore final : public qx::doc::DocumentStore {
public:
    int read(qx::DDoc&, const std::string&) override { return 1; }
    int write(qx::DDoc&, const std::string&) override { return 1; }
};

qx::ObjectProp page(const std::string& url, const std::string& title) {
    qx::ObjectProp p;
    p.url = qx::Str(url);
    p.title = qx::Str(title);
    return p;
}

void expandFirstLevel(qx::Ref& root) {
    for (auto* n = static_cast<qx::Ref*>(root.firstchild()); n;
         n = static_cast<qx::Ref*>(n->nextsibling()))
        n->addflags(qx::Ref::Expanded);
}

// folders x per-folder references, every page filed in the domain tree too.
void fill(qx::DDoc& doc, int folders, int perFolder) {
    for (int f = 0; f < folders; ++f) {
        qx::OrgRef2& folder = doc.createresultobject(page("", "Folder " + std::to_string(f)),
                                                     qx::OrgProp{}, doc.orgroot(), nullptr);
        for (int i = 0; i < perFolder; ++i) {
            const int n = f * perFolder + i;
            const std::string url =
                "http://host" + std::to_string(n % kHosts) + ".example/p" + std::to_string(n);
            doc.createresultobject(
                page(url, "A page title of ordinary length " + std::to_string(n)), qx::OrgProp{},
                folder, nullptr);
            doc.filedomainnode(url);
        }
    }
    expandFirstLevel(doc.orgroot());
    expandFirstLevel(doc.domainroot());
}

// The same tree of labels in the plain control's nodes.
void copyLabels(const qx::Ref& from, qx::TreeViewNode& to) {
    for (auto* n = static_cast<const qx::Ref*>(from.firstchild()); n;
         n = static_cast<const qx::Ref*>(n->nextsibling())) {
        auto node = std::make_unique<qx::TreeViewNode>(std::string(n->label().view()));
        qx::TreeViewNode& made = *to.append(std::move(node));
        copyLabels(*n, made);
        if (n->hasflags(qx::Ref::Expanded))
            made.expand(true);
    }
}

double bindOurs(qx::DDoc& doc, NoHost& host) {
    qx::OrganizerTreeView first(host);
    qx::RefTreeView second(host);
    first.resize(kWindow);
    second.resize(kWindow);
    qx::bench::showExposed(first);
    qx::bench::showExposed(second);
    const double ms = millis([&] {
        first.binding().bind(&doc.orgroot());
        second.binding().bind(&doc.domainroot());
        first.viewport()->repaint();
        second.viewport()->repaint();
    });
    first.binding().bind(nullptr);
    second.binding().bind(nullptr);
    return ms;
}

double buildPlain(qx::DDoc& doc) {
    qx::TreeView first(nullptr, qx::RefTreeView::kStyle);
    qx::TreeView second(nullptr, qx::RefTreeView::kStyle);
    first.resize(kWindow);
    second.resize(kWindow);
    qx::bench::showExposed(first);
    qx::bench::showExposed(second);
    return millis([&] {
        for (auto [view, root] :
             {std::pair{&first, &doc.orgroot()}, {&second, &doc.domainroot()}}) {
            auto top = std::make_unique<qx::TreeViewRoot>(" ");
            copyLabels(*root, *top);
            view->setRoot(std::move(top));
            view->runPendingLayout();
            view->viewport()->repaint();
        }
    });
}

// The references the toggles act on: those of the first folders.
std::vector<qx::Ref*> firstReferences(qx::DDoc& doc, int count) {
    std::vector<qx::Ref*> refs;
    for (auto* f = static_cast<qx::Ref*>(doc.orgroot().firstchild());
         f && static_cast<int>(refs.size()) < count; f = static_cast<qx::Ref*>(f->nextsibling()))
        for (auto* r = static_cast<qx::Ref*>(f->firstchild()); r;
             r = static_cast<qx::Ref*>(r->nextsibling()))
            refs.push_back(r);
    return refs;
}

void selectRows(qx::RefTreeView& tree, const std::vector<qx::Ref*>& refs) {
    tree.clearSelection();
    for (qx::Ref* r : refs)
        tree.select(qx::RefItem::of(*r)->treeNode(), true);
}

// The commands a user gives on 10 000 selected references in the program's
// trees (both bound, as the main view binds them), each followed by the
// layout pass the next paint runs: hide them while hidden references are not
// shown, show hidden references, show the references again.
struct CommandTimes {
    double all = 1e300;
    // The document's own part: the same marks set and cleared without views,
    // each after binding the trees, so that the caches are as cold as in the
    // commands.
    double document = 1e300;
};

CommandTimes commands(qx::doc::Editor& editor, qx::Options& options, const qx::Language& language,
                      const std::vector<qx::Ref*>& toggled) {
    QWidget owner;
    qx::ui::DocumentTrees trees(editor, options, language, owner);
    qx::OrganizerTreeView first(trees, &owner);
    qx::RefTreeView second(trees, &owner);
    trees.bind(&first, &second);
    trees.treeFocused(first);
    // The same table the main view builds; nothing runs beside the benchmark.
    qx::doc::CommandTable table;
    trees.addCommands(table, [] { return false; });
    auto command = [&](int id) {
        return millis([&] {
            table.execute(id);
            first.runPendingLayout();
            second.runPendingLayout();
        });
    };
    CommandTimes best;
    for (int run = 0; run < kRuns; ++run) {
        selectRows(first, toggled);
        const double hide = command(qx::ui::cmd::Hide);
        const double showHidden = command(qx::ui::cmd::ShowHidden);
        selectRows(first, toggled);
        const double show = command(qx::ui::cmd::Unhide);
        table.execute(qx::ui::cmd::ShowHidden);
        best.all = std::min(best.all, hide + showHidden + show);

        double alone = 0;
        for (bool hiding : {true, false}) {
            trees.unbind();
            alone += millis([&] {
                if (hiding)
                    editor.model().hide(toggled);
                else
                    editor.model().show(toggled);
            });
            trees.bind(&first, &second);
        }
        trees.treeFocused(first);
        best.document = std::min(best.document, alone);
    }
    trees.unbind();
    return best;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qx::Options options;
    const qx::Language language("");
    NoHost host;
    NoStore store;

    qx::doc::Editor editor(store, options, language);
    qx::DDoc& doc = editor.model();
    fill(doc, kFolders, kPerFolder);
    double ours = 1e300;
    double plain = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        ours = std::min(ours, bindOurs(doc, host));
        plain = std::min(plain, buildPlain(doc));
    }
    std::printf("bind and first paint, ours/plain: %.2f (goal <= 1.5)\n", ours / plain);

    // Hiding and showing kToggled references of the big document, against
    // binding a document that holds just that many.
    qx::DDoc small;
    fill(small, kToggled / kPerFolder, kPerFolder);
    double bindSmall = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        qx::OrganizerTreeView tree(host);
        bindSmall = std::min(bindSmall, millis([&] { tree.binding().bind(&small.orgroot()); }));
        tree.binding().bind(nullptr);
    }
    const std::vector<qx::Ref*> toggled = firstReferences(doc, kToggled);
    {
        qx::OrganizerTreeView tree(host);
        tree.binding().bind(&doc.orgroot());
        double toggle = 1e300;
        for (int run = 0; run < kRuns; ++run) {
            for (qx::Ref* r : toggled)
                r->addflags(qx::Ref::Hidden);
            const double hide = millis([&] { tree.binding().filterHidden(); });
            options.showHidden = true;
            const double show = millis([&] { tree.binding().rebuild(); });
            options.showHidden = false;
            for (qx::Ref* r : toggled)
                r->clearflags(qx::Ref::Hidden);
            tree.binding().rebuild();
            toggle = std::min(toggle, hide + show);
        }
        tree.binding().bind(nullptr);
        std::printf("hide and show %d references, against binding them: %.2f (goal <= 1)\n",
                    kToggled, toggle / bindSmall);
    }

    // Most of a command is the document's: following each page to its node
    // in the sites tree and back, by hashed look-ups in a document of 200 000
    // nodes. The trees' part is what the commands add to that; they take
    // 10 000 rows away from each tree and bring them back, so twice what
    // hiding and showing by the filters costs is the floor: goal <= 4.
    const CommandTimes byCommands = commands(editor, options, language, toggled);
    std::printf("hide and show %d selected references by the commands, against binding them: "
                "%.2f\n",
                kToggled, byCommands.all / bindSmall);
    std::printf("  the trees' part of the commands, against binding them: %.2f (goal <= 4)\n",
                (byCommands.all - byCommands.document) / bindSmall);
    return 0;
}
