#pragma once

#include "model/ContainerObjectComparator.h"
#include "model/SearchKey.h"

namespace qx {

// Matches the Object whose identity key equals a given key: "is this page
// already in the document". The key points at the text of whoever made it,
// which must stay unchanged while the comparator is used.
class ObjectComparator : public ContainerObjectComparator {
public:
    explicit ObjectComparator(const SearchKey& key) : key_(key) {}

    int compare(const ContainerObject* object) const override;
    const SearchKey* key() const override;

private:
    SearchKey key_;
};

} // namespace qx
