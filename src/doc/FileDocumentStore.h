#pragma once

#include "doc/DocumentStore.h"

namespace qx::doc {

// Document files on the disk, read and written the way the command-line tool
// does it: a save goes to a file beside the old one that replaces it only once
// it is complete, so that a failed save never costs the document that was there.
class FileDocumentStore : public DocumentStore {
public:
    int read(DDoc& model, const std::string& path) override;
    int write(DDoc& model, const std::string& path) override;
};

} // namespace qx::doc
