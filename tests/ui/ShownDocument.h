#pragma once

#include "FakeStore.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "doc/Editor.h"
#include "lang/Language.h"
#include "search/EngineTable.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "ui/Browser.h"
#include "ui/ExportCommands.h"
#include "ui/FrameWindow.h"
#include "ui/dialogs/ReferenceDialogs.h"

#include <functional>
#include <memory>
#include <string>

namespace qx {
class DDoc;
class OrganizerTreeView;
class Ref;
class RefTreeView;
class SearchModule;
class TreeViewNode;
struct ObjectProp;
namespace doc {
class DocumentStore;
}
namespace ui {
class DocumentTrees;
class View;
} // namespace ui
} // namespace qx

namespace qx::test {

// A page with an address and a title.
ObjectProp page(const std::string& url, const std::string& title);
// The row a model node has in its tree; the node must be shown.
TreeViewNode& rowOf(const Ref& node);

// A document open in a main view inside a frame, as the program shows it,
// with the export commands beside the view and every dialog answered from a
// script.
struct ShownDocument {
    ShownDocument(doc::DocumentStore& store, Options& options, const Language& language,
                  ApplicationProfile& profile);
    // The frame never owns its view: in the program the document does.
    ~ShownDocument();

    void show(std::shared_ptr<const SearchModule> module = nullptr);
    DDoc& model();
    OrganizerTreeView& first();
    RefTreeView& second();
    ui::DocumentTrees& trees();
    // The row alone selected and focused in its tree, which has the focus.
    void focus(RefTreeView& tree, TreeViewNode& row);
    void focusFirst(TreeViewNode& row);
    // Idle passes as the program runs them, until nothing runs any more;
    // false when that took too long.
    bool runJobs(const std::function<void()>& eachPass = {});

    ApplicationProfile& profile;
    Options& options;
    const Language& language;
    doc::Editor editor;
    ui::FrameWindow frame;
    ScriptedDialogs scripted;
    EngineTable engines;
    ui::ReferenceDialogs dialogs;
    ui::Browser browser;
    ui::ExportCommands exports;
    ui::View* view = nullptr;
};

// What a test of shown documents starts from: a temporary folder holding the
// settings file, the language modules of the program folder (none loaded
// yet), default options and a fake document store.
struct ShownSetup {
    ShownSetup();
    ~ShownSetup();

    // A new document, in the store's files (the fake one by default).
    std::unique_ptr<ShownDocument> open(doc::DocumentStore* store = nullptr);
    // Loads the language of that code and makes the labels follow it; false
    // when its module is missing (another language stands in).
    bool loadLanguage(const std::string& code);

    TempDir dir;
    ApplicationProfile profile;
    Language language;
    Options options;
    FakeStore store;
};

} // namespace qx::test
