#include "model/DDoc.h"

#include "model/DocumentReader.h"
#include "model/DocumentWriter.h"

namespace qx {

int DDoc::write(owstream& out) {
    return DocumentWriter(*container_, *orgroot_, *domainroot_).write(out);
}

int DDoc::read(iwstream& in) {
    Arena::Scope placed(arena_);
    return DocumentReader(*container_, *orgroot_, *domainroot_).read(in);
}

} // namespace qx
