#pragma once

namespace qx {

class Ref;

// What the document asks of the workers before it destroys a node.
class DocWorkers {
public:
    // Forget every waiting or running search and check that belongs to the
    // node; the node is destroyed right after.
    virtual void dropjobs(Ref& node) = 0;

protected:
    ~DocWorkers() = default;
};

} // namespace qx
