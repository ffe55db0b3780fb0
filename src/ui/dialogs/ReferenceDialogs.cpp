#include "ui/dialogs/ReferenceDialogs.h"

#include "doc/Texts.h"
#include "doc/UserDialogs.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/SearchRef.h"
#include "search/EngineTable.h"
#include "search/ObjPropDialogInfo.h"
#include "settings/Options.h"
#include "ui/dialogs/FindDialog.h"
#include "ui/dialogs/ObjPropDialog.h"

#include <QInputDialog>

namespace qx::ui {

namespace {
constexpr unsigned kRenameCaption = 9814;
constexpr unsigned kRenameLabel = 9815;
} // namespace

ReferenceDialogs::ReferenceDialogs(const Language& language, const EngineTable& engines,
                                   ApplicationProfile& profile, Options& options,
                                   doc::UserDialogs& runner, HelpHandler help)
    : language_(language), engines_(engines), profile_(profile), options_(options), runner_(runner),
      help_(std::move(help)), findCommand_(profile, options) {
    findCommand_.setdefaultservers(engines.defaultmask());
}
bool ReferenceDialogs::newSearch(SearchStarter* starter, QWidget* parent) {
    return findCommand_.run([&](FindInfo& request) { return find(request, nullptr, parent); },
                            starter);
}

bool ReferenceDialogs::rename(QString& name, QWidget* parent) {
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("RenameDialog"));
    dialog.setWindowTitle(doc::text(language_, kRenameCaption));
    dialog.setLabelText(doc::text(language_, kRenameLabel));
    dialog.setOkButtonText(doc::text(language_, text::ButtonOk));
    dialog.setCancelButtonText(doc::text(language_, text::ButtonCancel));
    dialog.setTextValue(name);
    if (runner_.exec(dialog) != QDialog::Accepted)
        return false;
    name = dialog.textValue();
    return true;
}

bool ReferenceDialogs::find(FindInfo& request, const SearchProp* search, QWidget* parent) {
    FindDialog dialog(request, search, language_, engines_, profile_, options_, help_, parent);
    return runner_.exec(dialog) == QDialog::Accepted;
}

bool ReferenceDialogs::properties(DDoc& document, Ref& node, QWidget* parent) {
    switch (propertieskind(node)) {
    case PropertiesKind::SavedSearch: {
        auto& search = static_cast<SearchRef&>(node);
        FindInfo request = search.searchprop();
        if (!find(request, &search.searchprop(), parent))
            return false;
        document.setsearchrequest(search, request);
        return true;
    }
    case PropertiesKind::Object: {
        ObjPropDialogInfo info = ObjPropDialogInfo::fromnode(node);
        ObjPropDialog dialog(info, language_, engines_, help_, parent);
        if (runner_.exec(dialog) != QDialog::Accepted)
            return false;
        info.apply(document, node);
        return true;
    }
    case PropertiesKind::None:
        break;
    }
    return false;
}

bool ReferenceDialogs::searchagain(DDoc& document, SearchRef& search, QWidget* parent) {
    if (!options_.checkSearch)
        return true;
    FindInfo request = search.searchprop();
    if (!find(request, &search.searchprop(), parent))
        return false;
    document.setsearchrequest(search, request);
    return true;
}

} // namespace qx::ui
