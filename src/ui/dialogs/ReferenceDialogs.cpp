#include "ui/dialogs/ReferenceDialogs.h"

#include "doc/UserDialogs.h"
#include "model/DDoc.h"
#include "model/SearchRef.h"
#include "search/ObjPropDialogInfo.h"
#include "settings/Options.h"
#include "ui/dialogs/FindDialog.h"
#include "ui/dialogs/ObjPropDialog.h"

namespace qx::ui {

ReferenceDialogs::ReferenceDialogs(const Language& language, const EngineTable& engines,
                                   ApplicationProfile& profile, Options& options,
                                   doc::UserDialogs& runner, HelpHandler help)
    : language_(language), engines_(engines), profile_(profile), options_(options), runner_(runner),
      help_(std::move(help)) {}

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
