#pragma once

#include "model/OrgRef0.h"
#include "model/SearchProp.h"

namespace qx {

class LabelTexts;

// A saved search of the organizer tree; its children are its results.
class SearchRef : public OrgRef0 {
public:
    // Marked as a saved search from the start.
    explicit SearchRef(const Str& name = {});

    const SearchProp& searchprop() const { return searchprop_; }
    SearchProp& searchprop() { return searchprop_; }

    // A (re-)run: the node is named by text 9210 of the texts given, a blank
    // and the query in double quotes; the request is copied with the time set
    // to now; the view item's text is refreshed.
    void setrequest(const FindInfo& request, const LabelTexts& texts);

    // Copies the request and the counters, not the engine records.
    std::unique_ptr<Ref> clone() const override;
    // Always image 13, never dimmed.
    RefIcon icon() const override;
    // The search's properties, then the Ref part.
    int write(owstream& out, RefResolver& resolver) const override;
    int read(iwstream& in, int version, RefResolver& resolver) override;

private:
    SearchProp searchprop_;
};

} // namespace qx
