#include "DocRecorder.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/RefRoot.h"

#include <sstream>
#include <unordered_map>

namespace qx::test {

std::string DocRecorder::nameof(const Ref& node) {
    return node.parent() ? std::string(node.name().view()) : "<root>";
}

void DocRecorder::bind(Ref& root) {
    give(root);
}

void DocRecorder::give(Ref& node) {
    auto item = std::make_unique<Item>();
    node.setviewitem(item.get());
    item->settext(node.label());
    items_[&node] = std::move(item);
    for (Node* child = node.first(); child; child = child->next()) {
        auto& ref = *static_cast<Ref*>(child);
        if (!ref.viewitem() && ref.isvisible())
            give(ref);
    }
}

void DocRecorder::strip(Ref& node) {
    for (Node* child = node.first(); child; child = child->next())
        strip(*static_cast<Ref*>(child));
    node.setviewitem(nullptr);
    items_.erase(&node);
}

void DocRecorder::additem(Ref& node) {
    calls_.push_back("add " + nameof(node));
    give(node);
}

void DocRecorder::removeitem(Ref& node) {
    calls_.push_back("remove " + nameof(node));
    strip(node);
}

void DocRecorder::refreshitem(Ref& node) {
    calls_.push_back("refresh " + nameof(node));
    strip(node);
    const auto* parent = static_cast<const Ref*>(node.parent());
    if (!parent || (parent->viewitem() && node.isvisible()))
        give(node);
}

void DocRecorder::repaint(Ref& node) {
    calls_.push_back("repaint " + nameof(node));
}

void DocRecorder::changed(std::uint32_t hints) {
    std::ostringstream line;
    line << "changed 0x" << std::hex << hints;
    calls_.push_back(line.str());
}

void DocRecorder::dropjobs(Ref& node) {
    calls_.push_back("dropjobs " + nameof(node));
}

std::vector<std::string> DocRecorder::take() {
    std::vector<std::string> calls;
    calls.swap(calls_);
    return calls;
}

std::string checkdocument(DDoc& doc, bool unreferencedallowed) {
    std::ostringstream problems;
    std::unordered_map<const Object*, std::uint32_t> counts;
    for (ContainerIterator it = doc.container().iterate(); it.current(); it.next())
        counts[static_cast<const Object*>(it.current())] = 0;
    for (Ref* root : {static_cast<Ref*>(&doc.orgroot()), static_cast<Ref*>(&doc.domainroot())}) {
        for (Tree* n = root; n; n = n->nextpreorder(root)) {
            const auto& node = *static_cast<const Ref*>(n);
            if (const Object* target = node.target()) {
                auto at = counts.find(target);
                if (at == counts.end())
                    problems << "target outside the container: " << node.name().view() << "\n";
                else
                    ++at->second;
            }
            const auto* parent = static_cast<const Ref*>(node.parent());
            if (node.viewitem() && parent && !parent->viewitem())
                problems << "item without parent item: " << node.name().view() << "\n";
        }
    }
    for (auto [object, count] : counts) {
        if (object->refcounter() != count)
            problems << "refcounter " << object->refcounter() << " for " << count
                     << " nodes: " << object->props().url.view() << "\n";
        if (count == 0 && !unreferencedallowed)
            problems << "unreferenced object: " << object->props().url.view() << "|"
                     << object->props().title.view() << "\n";
    }
    return problems.str();
}

} // namespace qx::test
