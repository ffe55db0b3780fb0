#include "model/ContainerObjectBuilder.h"

namespace qx {

ContainerObjectBuilder::~ContainerObjectBuilder() = default;

} // namespace qx
