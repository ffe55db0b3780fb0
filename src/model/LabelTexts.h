#pragma once

#include "stream/Str.h"

namespace qx {

// What labels and visibility of the model take from outside it: texts of the
// language module by number and the two view options. Whoever makes a document
// hands it one (DDoc::setlabeltexts); a document given none, and a node or page
// outside any document, have empty texts and both options off.
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

    // Empty texts, both options off.
    static const LabelTexts& none();
};

} // namespace qx
