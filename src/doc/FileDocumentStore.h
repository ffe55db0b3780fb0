#pragma once

#include "doc/DocumentStore.h"

namespace qx::doc {

// Document files on the disk. A file is written whole into memory first and
// then replaces the old file at once, so that a failed save never costs the
// document that was there.
class FileDocumentStore : public DocumentStore {
public:
    int read(DDoc& model, const std::string& path) override;
    int write(DDoc& model, const std::string& path) override;
};

} // namespace qx::doc
