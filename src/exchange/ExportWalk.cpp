#include "exchange/ExportWalk.h"

#include "model/Ref.h"

#include <vector>

namespace qx {

int ExportWalk::walk(const Ref& top, ExportVisitor& visitor) {
    std::vector<const Ref*> open;
    int result = 0;
    for (const Tree* n = &top; n && result == 0;) {
        const auto& node = static_cast<const Ref&>(*n);
        const bool hidden = node.hasflags(Ref::Hidden);
        if (!hidden) {
            while (!open.empty() && open.back() != node.parent() && result == 0) {
                result = visitor.leave(*open.back());
                open.pop_back();
            }
            if (result == 0) {
                result = visitor.enter(node);
                open.push_back(&node);
            }
        }
        n = n->nextpreorder(&top, hidden);
    }
    while (!open.empty() && result == 0) {
        result = visitor.leave(*open.back());
        open.pop_back();
    }
    return result;
}

} // namespace qx
