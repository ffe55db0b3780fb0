#include "model/ContainerObject.h"

#include "model/Container.h"
#include "model/LabelTexts.h"
#include "stream/otwstream.h"

namespace qx {

ContainerObject::~ContainerObject() = default;

const LabelTexts& ContainerObject::labeltexts() const {
    return container_ ? container_->labeltexts() : LabelTexts::none();
}

void ContainerObject::dump(otwstream& out) const {
    out.puts("ContainerObject ").putptr(this);
}

void ContainerObject::fixup(RefResolver&) {}

bool ContainerObject::needsfixup() const {
    return true;
}

Object* ContainerObject::asobject() {
    return nullptr;
}

const SearchKey* ContainerObject::indexkey() const {
    return nullptr;
}

void ContainerObject::keychanged() {
    if (container_) {
        container_->reindex(*this);
    }
}

} // namespace qx
