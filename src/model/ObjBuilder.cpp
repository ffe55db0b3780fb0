#include "model/ObjBuilder.h"

#include "model/Object.h"
#include "stream/owstream.h"

namespace qx {

int ObjBuilder::writekind(owstream& out, const ContainerObject&) {
    return out.good() ? 0 : 1;
}

std::unique_ptr<ContainerObject> ObjBuilder::create(iwstream&, int) {
    return std::make_unique<Object>();
}

} // namespace qx
