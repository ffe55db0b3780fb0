#include "doc/FileDocumentStore.h"

#include "model/DocumentFile.h"

namespace qx::doc {

int FileDocumentStore::read(DDoc& model, const std::string& path) {
    return loadDocument(path, model);
}

int FileDocumentStore::write(DDoc& model, const std::string& path) {
    return saveDocument(path, model);
}

} // namespace qx::doc
