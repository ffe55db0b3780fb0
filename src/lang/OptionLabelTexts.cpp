#include "lang/OptionLabelTexts.h"

#include "lang/Language.h"
#include "settings/Options.h"

namespace qx {

OptionLabelTexts::OptionLabelTexts(const Language& language, const Options& options)
    : language_(language), options_(options) {}

Str OptionLabelTexts::text(int id) const {
    return Str(language_.text(static_cast<unsigned>(id)));
}

bool OptionLabelTexts::showhidden() const {
    return options_.showHidden;
}

bool OptionLabelTexts::shownew() const {
    return options_.showNew;
}

} // namespace qx
