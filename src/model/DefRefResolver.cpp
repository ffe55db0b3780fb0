#include "model/DefRefResolver.h"

namespace qx {

void DefRefResolver::beginwrite() {
    table_.reset(ObjectTable::Writing);
}

std::uint32_t DefRefResolver::idof(ContainerObject* object) {
    return table_.intern(object);
}

void DefRefResolver::beginread() {
    table_.reset(ObjectTable::Reading);
}

void DefRefResolver::addloaded(ContainerObject* object, std::uint32_t id) {
    table_.add(object, id);
}

void DefRefResolver::endread() {
    table_.sort(ObjectTable::ById);
}

void DefRefResolver::reserve(std::size_t count) {
    table_.reserve(count);
}

ContainerObject* DefRefResolver::resolve(std::uint32_t id) {
    return table_.byId(id);
}

void DefRefResolver::prefetch(std::uint32_t id) {
    table_.prefetch(id);
}

} // namespace qx
