#pragma once

#include <string>

namespace qx {
class DDoc;
}

namespace qx::doc {

// Reads and writes the document file. Results: 0 success, 1 failure (the file
// cannot be opened, read or written), 2 not a document file, 3 a version this
// program cannot read.
class DocumentStore {
public:
    virtual ~DocumentStore() = default;
    // Reads the model from the file; the model is left empty or partial on failure.
    virtual int read(DDoc& model, const std::string& path) = 0;
    // Writes the whole model; on failure the file at the path is left as it was.
    virtual int write(DDoc& model, const std::string& path) = 0;
};

} // namespace qx::doc
