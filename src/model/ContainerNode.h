#pragma once

#include "model/ContainerObject.h"
#include "model/List.h"
#include "stream/ArenaPlaced.h"

#include <cstdint>
#include <memory>

namespace qx {

// A list node that owns one ContainerObject and deletes it with itself.
class ContainerNode : public Node, public ArenaPlaced {
public:
    explicit ContainerNode(std::unique_ptr<ContainerObject> object);
    ~ContainerNode() override;

    ContainerObject* object() const { return object_.get(); }
    ContainerNode* nextnode() const { return static_cast<ContainerNode*>(next()); }
    ContainerNode* prevnode() const { return static_cast<ContainerNode*>(prev()); }

private:
    friend class Container;
    std::unique_ptr<ContainerObject> object_;
    // Where the container files the node for find: the position in the list
    // (ever increasing, as nodes are only appended), and the chain of nodes
    // whose index keys share a hash.
    std::uint64_t order_ = 0;
    bool keyed_ = false;
    std::uint32_t keyhash_ = 0;
    ContainerNode* keyprev_ = nullptr;
    ContainerNode* keynext_ = nullptr;
};

// The list of a Container's nodes.
class ContainerList : public List {};

} // namespace qx
