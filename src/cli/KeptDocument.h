#pragma once

#include "model/DDoc.h"

#include <memory>

namespace qx::cli {

// A document a command works on until the tool ends. Taking a document of a
// million pages apart node by node costs about as much as a tenth of loading
// it, while the system takes a whole process's memory back at once: so a
// command leaves its document in place when it returns. Builds with a leak
// checker free it, so that they still see every allocation released.
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
