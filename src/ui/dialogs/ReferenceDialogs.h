#pragma once

#include "search/FindCommand.h"
#include "ui/dialogs/DialogControls.h"

class QWidget;

namespace qx {
class ApplicationProfile;
class DDoc;
class EngineTable;
class Language;
class Ref;
class SearchRef;
class SearchStarter;
struct FindInfo;
struct Options;
struct SearchProp;
} // namespace qx

namespace qx::doc {
class UserDialogs;
}

namespace qx::ui {

// The dialogs that the document's view opens on its requests and references,
// with what they need from the program. Every dialog runs through the modal
// runner, which tests answer from a script.
class ReferenceDialogs {
public:
    ReferenceDialogs(const Language& language, const EngineTable& engines,
                     ApplicationProfile& profile, Options& options, doc::UserDialogs& runner,
                     HelpHandler help);

    // The find dialog on the request, with the statistics of a saved search
    // when one is given; true for OK, the request then holds what was accepted.
    bool find(FindInfo& request, const SearchProp* search, QWidget* parent);

    // The new-search command: the find dialog on the last request accepted
    // anywhere in the program (so that a new or opened document keeps it),
    // then the starter runs what was accepted.
    bool newSearch(SearchStarter* starter, QWidget* parent);
    const FindCommand& findCommand() const { return findCommand_; }

    // A new name for a folder or saved search, starting from its current
    // one; false when cancelled.
    bool rename(QString& name, QWidget* parent);

    // The properties command on a node: for a saved search that is not
    // running, the find dialog on a copy of its request, and OK gives the
    // search its new name and request without running it; for another node
    // with a target, the properties dialog. True when the document changed.
    bool properties(DDoc& document, Ref& node, QWidget* parent);

    // Before a saved search runs again: with "CheckSearch" on, the find dialog
    // on a copy of its request with its statistics; Cancel answers false, OK
    // gives the search the request. True when the run may go ahead.
    bool searchagain(DDoc& document, SearchRef& search, QWidget* parent);

private:
    const Language& language_;
    const EngineTable& engines_;
    ApplicationProfile& profile_;
    Options& options_;
    doc::UserDialogs& runner_;
    HelpHandler help_;
    FindCommand findCommand_;
};

} // namespace qx::ui
