#include "search/SearchRun.h"

#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "lang/TextIds.h"
#include "model/DDoc.h"
#include "model/PreorderWalk.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"
#include "platform/SystemError.h"
#include "search/SearchBoard.h"
#include "search/SearchRequestDialog.h"
#include "search/SearchRunState.h"
#include "search/SearchScreen.h"

namespace qx {

namespace {

constexpr std::uint16_t kMarks = Ref::New | Ref::Changed | Ref::Seen;

bool childmarkednew(const Ref& node) {
    for (const Node* n = node.first(); n; n = n->next()) {
        if (static_cast<const Ref*>(n)->hasflags(Ref::New)) {
            return true;
        }
    }
    return false;
}

} // namespace

SearchRun::SearchRun(DDoc& doc, SearchScreen& screen, SearchBoard& jobs, const Language& texts,
                     MessageBoxer& boxes)
    : doc_(doc), screen_(screen), jobs_(jobs), texts_(texts), boxes_(boxes),
      filer_(doc, screen, jobs) {}

SearchRef* SearchRun::start(const FindInfo& request) {
    SearchRef* search = doc_.searchbyquery(request.query.view());
    if (search) {
        if (boxes_.show(texts_.text(text::RunSearchAgain), texts_.text(text::AppTitle),
                        mb::OkCancel | mb::TaskModal) != mb::IdOk) {
            return nullptr;
        }
    } else {
        search = &doc_.createsearch({}, doc_.orgroot(), nullptr);
    }
    screen_.expand(*search);
    doc_.setsearchrequest(*search, request);
    queue(*search);
    return search;
}

bool SearchRun::again(SearchRef& search, SearchRequestDialog* dialog) {
    if (search.hasflags(Ref::Running)) {
        return false;
    }
    if (dialog) {
        FindInfo request = search.searchprop();
        if (!dialog->edit(request, search.searchprop())) {
            return false;
        }
        search.setrequest(request, doc_.labeltexts());
    }
    queue(search);
    return true;
}

void SearchRun::queue(SearchRef& search) {
    search.addflags(Ref::Running);
    doc_.repaint(search);
    SearchProp& prop = search.searchprop();
    prop.total = 0;
    prop.added = 0;
    bool queued = false;
    for (int bit = 0; bit < 16; ++bit) {
        const auto server = static_cast<std::uint16_t>(1u << bit);
        if (prop.servers & server) {
            jobs_.queuesearch(search, server, prop);
            queued = true;
        }
    }
    if (queued) {
        screen_.status(texts_.text(text::SearchQueued));
    }
    clearmarks(search);
}

void SearchRun::clearmarks(SearchRef& search) {
    for (PreorderWalk walk(search); Tree* t = walk.current(); walk.next()) {
        auto& node = *static_cast<Ref*>(t);
        if (!node.hasflags(kMarks)) {
            continue;
        }
        node.updateview();
        const bool wasnew = node.hasflags(Ref::New);
        // A mark left from an earlier run would keep the result out of this
        // run's total, so every mark goes, not only the new ones.
        node.clearflags(kMarks);
        doc_.repaint(node);
        if (!wasnew) {
            continue;
        }
        for (Ref* up = doc_.domaintwin(node); up && up->hasflags(Ref::New) && !childmarkednew(*up);
             up = static_cast<Ref*>(up->parent())) {
            up->clearflags(kMarks);
            doc_.repaint(*up);
        }
    }
}

void SearchRun::finish(SearchRunState& run, std::uint16_t server, const std::string& query,
                       std::int32_t exitcode, const WThread* worker) {
    SearchRef* search = run.search;
    if (search) {
        ServerInfo info;
        info.server = server;
        info.found = run.found;
        info.added = run.added;
        info.error = Str(errortext(exitcode));
        search->searchprop().serverinfo.update(info);
        screen_.status(texts_.format(text::SearchServerDone, query, search->searchprop().total));
        if (!jobs_.hassearch(*search, worker)) {
            stopped(*search);
        }
    } else {
        // A worker the user stopped ends as cancelled: that is no failure.
        if (exitcode != 0 && exitcode != platform::err::Cancelled) {
            boxes_.show(errortext(exitcode), query, mb::Ok | mb::TaskModal);
        }
        screen_.status(texts_.text(text::DetachedSearchDone));
    }
}

void SearchRun::detach(SearchRunState& run, std::uint16_t server) {
    if (SearchRef* search = run.search) {
        ServerInfo info;
        info.server = server;
        info.found = run.found;
        info.added = run.added;
        search->searchprop().serverinfo.update(info);
        stopped(*search);
    }
    run.search = nullptr;
    run.heading = nullptr;
}

void SearchRun::stopped(SearchRef& search) {
    search.clearflags(Ref::Running);
    search.updateview();
    doc_.repaint(search);
}

std::string SearchRun::errortext(std::int32_t exitcode) const {
    if (exitcode == 0) {
        return {};
    }
    if (exitcode == -1) {
        return texts_.text(text::HttpStatusBase);
    }
    return texts_.errorText(exitcode);
}

} // namespace qx
