#pragma once

#include <memory>
#include <string>

namespace qx {
class DDoc;
}

namespace qx::doc {

class DocumentStore;

// A model read from a file that is not the document's own (a backup, a
// recovery file), its hosts in the order the options ask for.
struct DocumentCopy {
    // Null when the store could not read the file; result says why (the
    // store's code).
    static std::unique_ptr<DDoc> read(DocumentStore& store, const std::string& file, int sortOrder,
                                      int& result);
};

} // namespace qx::doc
