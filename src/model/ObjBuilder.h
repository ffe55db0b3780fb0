#pragma once

#include "model/ContainerObjectBuilder.h"

namespace qx {

// The builder of a document's objects: every record is an Object, so nothing
// is stored to tell them apart.
class ObjBuilder : public ContainerObjectBuilder {
public:
    int writekind(owstream& out, const ContainerObject& object) override;
    std::unique_ptr<ContainerObject> create(iwstream& in, int version) override;
};

} // namespace qx
