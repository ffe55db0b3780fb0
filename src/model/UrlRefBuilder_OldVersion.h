#pragma once

#include "model/RefTreeBuilder.h"

namespace qx {

// The domain tree of the first two format versions: no kind bytes, every node
// a path piece. The reader turns the root's children into hosts afterwards.
class UrlRefBuilder_OldVersion : public RefTreeBuilder {
public:
    // Those versions store no kind: writes nothing, and reports the stream's
    // state.
    int writekind(owstream& out, const Ref& node) override;
    std::unique_ptr<Ref> create(iwstream& in, int version) override;
};

} // namespace qx
