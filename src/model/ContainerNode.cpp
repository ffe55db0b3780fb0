#include "model/ContainerNode.h"

namespace qx {

ContainerNode::ContainerNode(std::unique_ptr<ContainerObject> object)
    : object_(std::move(object)) {}

ContainerNode::~ContainerNode() = default;

} // namespace qx
