#pragma once

#include "search/TitleAnchors.h"

#include <string_view>
#include <vector>

namespace qx {

class DDoc;
class Object;
class OrgRef2;
class Ref;
class SearchBoard;
class SearchRef;
class SearchScreen;
class Language;
struct FindInfo;
struct ObjectProp;
struct OrgProp;
struct SearchRunState;
struct WSearchInfo;

// Files result items into the document under their saved search: each result
// becomes or joins a page, gets its node under the search (grouped under its
// heading or with results of the same title, placed by the result order) and
// its node in the domain tree, and is marked new, changed or seen. Runs on the
// user-interface thread; the caller commits the document after a batch.
class ResultFiler {
public:
    ResultFiler(DDoc& doc, SearchScreen& screen, SearchBoard& jobs);

    void file(const WSearchInfo& item, SearchRunState& run, const FindInfo& request);

private:
    // False when the item is dropped without a status update.
    bool place(const WSearchInfo& item, SearchRunState& run, const FindInfo& request,
               SearchRef& search);
    void closeheading(SearchRunState& run);
    OrgRef2* anchor(SearchRunState& run, SearchRef& search, std::string_view title);
    OrgRef2* findresult(SearchRef& search, Object& page, OrgRef2* anchor);
    void fileknown(OrgRef2& result, int answer, const OrgProp& prop, const ObjectProp& props,
                   std::uint32_t level, SearchRunState& run);
    bool filenew(Object& page, OrgRef2* anchor, const OrgProp& prop, SearchRunState& run,
                 const FindInfo& request, SearchRef& search);
    // Every move of filing: the view text follows and a new node's mark goes
    // up to its new parent.
    void moveto(Ref& parent, Ref& node, Ref* before);
    void showheading(OrgRef2& heading);
    void groupupdate(OrgRef2& group, const OrgRef2& from);
    // Repositions the node, then gives each result-node ancestor a group
    // update from the node below it and repositions it in turn.
    void propagate(OrgRef2& node);
    void status(SearchRef& search, std::uint32_t level);

    DDoc& doc_;
    SearchScreen& screen_;
    SearchBoard& jobs_;
    TitleAnchors anchors_;
};

} // namespace qx
