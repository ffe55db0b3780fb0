#include "doc/DocumentCopy.h"

#include "doc/DocumentStore.h"
#include "doc/WaitCursor.h"
#include "model/DDoc.h"

namespace qx::doc {

std::unique_ptr<DDoc> DocumentCopy::read(DocumentStore& store, const std::string& file,
                                         int sortOrder, int& result) {
    WaitCursor wait;
    auto model = std::make_unique<DDoc>();
    result = store.read(*model, file);
    if (result != 0)
        return nullptr;
    model->setsortservers(sortOrder);
    model->sorthosts();
    return model;
}

} // namespace qx::doc
