#include "model/ObjectComparator.h"

#include "model/Object.h"

namespace qx {

int ObjectComparator::compare(const ContainerObject* object) const {
    const auto* page = dynamic_cast<const Object*>(object);
    return page && page->identitykey() == key_ ? 0 : 1;
}

const SearchKey* ObjectComparator::key() const {
    return &key_;
}

} // namespace qx
