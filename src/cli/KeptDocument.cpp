#include "cli/KeptDocument.h"

#include "model/DocumentAtExit.h"

namespace qx::cli {

KeptDocument::KeptDocument() : doc_(std::make_unique<DDoc>()) {}

KeptDocument::~KeptDocument() {
    leaveDocumentAtExit(std::move(doc_));
}

} // namespace qx::cli
