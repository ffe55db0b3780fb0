#include "model/Node.h"

#include "model/List.h"

namespace qx {

Node::~Node() {
    if (owner_) {
        owner_->detach(this);
    }
}

bool Node::persist() const {
    return true;
}

int Node::writekind(owstream&) const {
    return 0;
}

int Node::writedata(owstream&) const {
    return 0;
}

int Node::readdata(iwstream&, int) {
    return 0;
}

} // namespace qx
