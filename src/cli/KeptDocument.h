#pragma once

#include "model/DDoc.h"

#include <memory>

namespace qx::cli {

// A document a command works on until the tool ends, then left to the end of
// the process (leaveDocumentAtExit) instead of being taken apart.
class KeptDocument {
public:
    KeptDocument();
    ~KeptDocument();
    KeptDocument(const KeptDocument&) = delete;
    KeptDocument& operator=(const KeptDocument&) = delete;

    DDoc& operator*() const { return *doc_; }

private:
    std::unique_ptr<DDoc> doc_;
};

} // namespace qx::cli
