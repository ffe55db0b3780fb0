#pragma once

#include "stream/Str.h"

namespace qx {

// What labels and visibility of the model take from outside it: texts of the
// language module by number and the two view options. The application installs
// the real provider (language module holder and options); until then, and
// whenever null is installed, texts are empty and both options off.
class LabelTexts {
public:
    // The leading text of a saved search's name.
    static constexpr int kSearchName = 9210;
    // The names of charset codes 1 to 5 (9218 to 9222).
    static constexpr int kCharsetName = 9218;

    virtual ~LabelTexts();
    virtual Str text(int id) const = 0;
    // Show references marked hidden.
    virtual bool showhidden() const = 0;
    // Show only saved searches and references marked new.
    virtual bool shownew() const = 0;

    static const LabelTexts& current();
    // The provider stays with the caller and must outlive its installation.
    static void install(const LabelTexts* texts);
};

} // namespace qx
