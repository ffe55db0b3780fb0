#include "model/SearchRef.h"

#include "model/LabelTexts.h"
#include "stream/iwstream.h"
#include "stream/owstream.h"

#include <string>

namespace qx {

SearchRef::SearchRef(const Str& name) : OrgRef0(name) {
    addflags(SavedSearch);
}

void SearchRef::setrequest(const FindInfo& request, const LabelTexts& texts) {
    std::string name(texts.text(LabelTexts::kSearchName).view());
    name.append(" \"").append(request.query.view()).append("\"");
    name_ = Str(name);
    searchprop_.setrequest(request);
    updateview();
}

std::unique_ptr<Ref> SearchRef::clone() const {
    auto copy = std::make_unique<SearchRef>();
    copyinto(*copy);
    copy->searchprop_ = searchprop_.copied();
    return copy;
}

RefIcon SearchRef::icon() const {
    return {13, false};
}

int SearchRef::write(owstream& out, RefResolver& resolver) const {
    searchprop_.write(out);
    return OrgRef0::write(out, resolver);
}

int SearchRef::read(iwstream& in, int version, RefResolver& resolver) {
    searchprop_.read(in);
    return OrgRef0::read(in, version, resolver);
}

} // namespace qx
