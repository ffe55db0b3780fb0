#include "ShownDocument.h"

#include "model/DDoc.h"
#include "model/ObjectProp.h"
#include "ui/DocumentTrees.h"
#include "ui/View.h"
#include "ui/tree/RefTreeView.h"
#include "ui/tree/refs/RefTVNode.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdlib>

namespace qx::test {

namespace {
constexpr const char* kTitle = "Norba Seek";
constexpr int kJobsTimeoutMs = 20000;
} // namespace

ObjectProp page(const std::string& url, const std::string& title) {
    ObjectProp p;
    p.url = Str(url);
    p.title = Str(title);
    return p;
}

TreeViewNode& rowOf(const Ref& node) {
    return RefItem::of(node)->treeNode();
}

ShownDocument::ShownDocument(doc::DocumentStore& store, Options& options, const Language& language,
                             ApplicationProfile& profile)
    : profile(profile), options(options), language(language), editor(store, options, language),
      frame(profile, language, QString::fromLatin1(kTitle)),
      engines([&language](int id) { return language.text(static_cast<unsigned>(id)); }),
      dialogs(language, engines, profile, options, scripted, [](int) {}),
      browser(language, scripted, kTitle),
      exports([this] { return &editor; }, profile, language, scripted) {
    frame.addCommandTarget(&exports);
}

ShownDocument::~ShownDocument() {
    frame.clearView();
    delete view;
}

void ShownDocument::show(std::shared_ptr<const SearchModule> module) {
    view = new ui::View(editor, profile, options, language, &frame);
    view->setDialogs(&dialogs);
    view->setBrowser(&browser);
    view->setSearchModule(std::move(module), engines, scripted);
    frame.setView(view);
    frame.resize(1000, 600);
    frame.show();
}

DDoc& ShownDocument::model() {
    return editor.model();
}

OrganizerTreeView& ShownDocument::first() {
    return *view->organizerTree();
}

RefTreeView& ShownDocument::second() {
    return *view->domainTree();
}

ui::DocumentTrees& ShownDocument::trees() {
    return view->trees();
}

void ShownDocument::focus(RefTreeView& tree, TreeViewNode& row) {
    tree.setFocus();
    view->trees().treeFocused(tree);
    tree.clearSelection();
    tree.select(row, true);
    tree.setFocusNode(&row);
}

void ShownDocument::focusFirst(TreeViewNode& row) {
    focus(first(), row);
}

bool ShownDocument::runJobs(const std::function<void()>& eachPass) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kJobsTimeoutMs) {
        view->idle();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (eachPass)
            eachPass();
        if (view->progressFigure() < 0 && !view->jobs().Busy())
            return true;
    }
    return false;
}

ShownSetup::ShownSetup()
    : profile(dir.file("qxseek.INI")), language(std::getenv("QX_PROGRAM_DIR")) {}

ShownSetup::~ShownSetup() = default;

std::unique_ptr<ShownDocument> ShownSetup::open(doc::DocumentStore* chosen) {
    return std::make_unique<ShownDocument>(chosen ? *chosen : store, options, language, profile);
}

bool ShownSetup::loadLanguage(const std::string& code) {
    std::string loaded = code;
    // A missing module falls back to another language: that is no success here.
    const bool ok = language.load(loaded) == 0 && loaded == code;
    return ok;
}

} // namespace qx::test
