#include "model/ContainerObjectComparator.h"

namespace qx {

ContainerObjectComparator::~ContainerObjectComparator() = default;

const SearchKey* ContainerObjectComparator::key() const {
    return nullptr;
}

} // namespace qx
