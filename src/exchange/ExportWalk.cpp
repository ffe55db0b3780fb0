#include "exchange/ExportWalk.h"

#include "model/Ref.h"

#include <vector>

namespace qx {

int ExportWalk::walk(const Ref& top, ExportVisitor& visitor) {
    if (top.hasflags(Ref::Hidden))
        return 0;
    int result = visitor.enter(top);
    // The nodes entered and not yet left; next is the one to look at after
    // the last of them, null once its children are done.
    std::vector<const Ref*> open{&top};
    const Tree* next = top.firstchild();
    while (result == 0 && !open.empty()) {
        if (next) {
            const auto& node = static_cast<const Ref&>(*next);
            if (node.hasflags(Ref::Hidden)) {
                next = next->nextsibling();
                continue;
            }
            result = visitor.enter(node);
            open.push_back(&node);
            next = node.firstchild();
            continue;
        }
        const Ref* done = open.back();
        open.pop_back();
        result = visitor.leave(*done);
        next = done == &top ? nullptr : done->nextsibling();
    }
    return result;
}

} // namespace qx
