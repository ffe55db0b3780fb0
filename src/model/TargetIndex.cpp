#include "model/TargetIndex.h"

#include "model/Ref.h"

namespace qx {

std::vector<Ref*> TargetIndex::referrers(const Object* object) {
    if (!built_)
        build();
    std::vector<Ref*> found;
    auto [from, to] = nodes_.equal_range(object);
    for (auto at = from; at != to; ++at)
        if (at->second->target() == object)
            found.push_back(at->second);
    return found;
}

void TargetIndex::added(Ref& node) {
    if (!built_ || !node.target())
        return;
    removed(node);
    nodes_.emplace(node.target(), &node);
    filedunder_.emplace(&node, node.target());
}

void TargetIndex::removed(Ref& node) {
    if (!built_)
        return;
    auto filed = filedunder_.find(&node);
    if (filed == filedunder_.end())
        return;
    auto [from, to] = nodes_.equal_range(filed->second);
    for (auto at = from; at != to; ++at) {
        if (at->second == &node) {
            nodes_.erase(at);
            break;
        }
    }
    filedunder_.erase(filed);
}

void TargetIndex::build() {
    built_ = true;
    for (Ref* root : {&orgroot_, &domainroot_}) {
        for (Tree* node = root; node; node = node->nextpreorder(root))
            added(*static_cast<Ref*>(node));
    }
}

} // namespace qx
