#include "model/Container.h"

#include "model/ContainerObjectComparator.h"
#include "model/LabelTexts.h"
#include "model/SearchKey.h"
#include "stream/otwstream.h"

namespace qx {

ContainerObject* ContainerIterator::next() {
    if (node_) {
        node_ = node_->nextnode();
    }
    return current();
}

ContainerObject* ContainerIterator::prev() {
    if (node_) {
        node_ = node_->prevnode();
    }
    return current();
}

const LabelTexts& Container::labeltexts() const {
    return texts_ ? *texts_ : LabelTexts::none();
}

Container::~Container() {
    clear();
}

ContainerObject* Container::add(std::unique_ptr<ContainerObject> object) {
    if (!object) {
        return nullptr;
    }
    ContainerObject* added = object.get();
    auto* node = new ContainerNode(std::move(object));
    node->order_ = nextorder_++;
    list_.append(node);
    added->container_ = this;
    added->node_ = node;
    if (heldbuilt_) {
        held_.set(added, added);
    }
    if (added->needsfixup()) {
        ++fixups_;
    }
    keyin(node);
    return added;
}

void Container::remove(ContainerObject* object) {
    ContainerNode* node = nodeof(object);
    if (!node) {
        return;
    }
    keyout(node);
    held_.erase(object);
    object->container_ = nullptr;
    object->node_ = nullptr;
    delete node;
}

bool Container::contains(const ContainerObject* object) const {
    if (!heldbuilt_) {
        held_.reserve(count());
        for (auto* node = static_cast<ContainerNode*>(list_.first()); node;
             node = node->nextnode()) {
            held_.set(node->object(), node->object());
        }
        heldbuilt_ = true;
    }
    return object && held_.find(object);
}

ContainerObject* Container::find(const ContainerObjectComparator& comparator) const {
    if (const SearchKey* key = comparator.key()) {
        const ContainerNode* best = nullptr;
        for (const ContainerNode* node = key->text() ? keys_.find(key->hash()) : nullptr; node;
             node = node->keynext_) {
            if ((!best || node->order_ < best->order_) && comparator.compare(node->object()) == 0) {
                best = node;
            }
        }
        return best ? best->object() : nullptr;
    }
    for (auto* node = static_cast<ContainerNode*>(list_.first()); node; node = node->nextnode()) {
        if (comparator.compare(node->object()) == 0) {
            return node->object();
        }
    }
    return nullptr;
}

ContainerIterator Container::iterate() const {
    return ContainerIterator(static_cast<ContainerNode*>(list_.first()));
}

ContainerIterator Container::iterate(const ContainerObject* from) const {
    return ContainerIterator(nodeof(from));
}

void Container::clear() {
    keys_.clear();
    held_.clear();
    heldbuilt_ = false;
    fixups_ = 0;
    list_.clear();
}

void Container::reserve(std::size_t count) {
    keys_.reserve(count);
    DefRefResolver::reserve(count);
}

void Container::fixupall() {
    // Pages resolve nothing after a load: a walk over a million of them would
    // only bring each back into the cache.
    if (!fixups_) {
        return;
    }
    for (auto* node = static_cast<ContainerNode*>(list_.first()); node; node = node->nextnode()) {
        node->object()->fixup(*this);
    }
}

void Container::dump(otwstream& out) const {
    out.puts("Container ")
        .putptr(this)
        .puts(" count=")
        .putuint(static_cast<std::uint32_t>(count()));
    out.endl();
    for (auto* node = static_cast<ContainerNode*>(list_.first()); node; node = node->nextnode()) {
        out.indent();
        node->object()->dump(out);
        out.endl();
    }
}

ContainerNode* Container::nodeof(const ContainerObject* object) const {
    return object && object->container_ == this ? object->node_ : nullptr;
}

void Container::reindex(const ContainerObject& object) {
    if (ContainerNode* node = nodeof(&object)) {
        keyout(node);
        keyin(node);
    }
}

void Container::keyin(ContainerNode* node) {
    const SearchKey* key = node->object()->indexkey();
    if (!key || !key->text()) {
        return;
    }
    node->keyed_ = true;
    node->keyhash_ = key->hash();
    if (ContainerNode* head = keys_.exchange(node->keyhash_, node)) {
        node->keynext_ = head;
        head->keyprev_ = node;
    }
}

void Container::keyout(ContainerNode* node) {
    if (!node->keyed_) {
        return;
    }
    if (node->keyprev_) {
        node->keyprev_->keynext_ = node->keynext_;
    } else if (node->keynext_) {
        keys_.set(node->keyhash_, node->keynext_);
    } else {
        keys_.erase(node->keyhash_);
    }
    if (node->keynext_) {
        node->keynext_->keyprev_ = node->keyprev_;
    }
    node->keyed_ = false;
    node->keyprev_ = node->keynext_ = nullptr;
}

} // namespace qx
