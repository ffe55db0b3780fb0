#include "model/ObjectTable.h"

#include <algorithm>
#include <functional>

namespace qx {

void ObjectTable::reset(Mode mode) {
    mode_ = mode;
    sortstate_ = ById;
    entries_.clear();
    ids_.clear();
}

void ObjectTable::reserve(std::size_t count) {
    entries_.reserve(count);
    if (mode_ == Writing) {
        ids_.reserve(count);
    }
}

void ObjectTable::add(ContainerObject* object, std::uint32_t id) {
    if (!object || !id) {
        return;
    }
    // Reading asks only by identifier: a document of a million pages need
    // not build a million-entry index by pointer it never uses.
    if (mode_ == Writing) {
        ids_.insert(object, id);
    }
    append(object, id);
}

std::uint32_t ObjectTable::intern(ContainerObject* object) {
    if (!object) {
        return 0;
    }
    const auto next = static_cast<std::uint32_t>(entries_.size() + 1);
    const PointerIndex::Result id = ids_.insert(object, next);
    if (id.added) {
        append(object, next);
    }
    return id.value;
}

void ObjectTable::append(ContainerObject* object, std::uint32_t id) {
    if (!entries_.empty()) {
        const Entry& last = entries_.back();
        const bool keeps = (sortstate_ == ById && id >= last.id) ||
                           (sortstate_ == ByPointer && std::less<>()(last.object, object));
        if (!keeps) {
            sortstate_ = Unsorted;
        }
    }
    entries_.push_back({id, object});
}

std::uint32_t ObjectTable::byPointer(const ContainerObject* object) const {
    if (mode_ == Reading) {
        const auto it = std::find_if(entries_.begin(), entries_.end(), [object](const Entry& e) {
            return object && e.object == object;
        });
        return it != entries_.end() ? it->id : 0;
    }
    return ids_.find(object);
}

ContainerObject* ObjectTable::byId(std::uint32_t id) const {
    if (!id) {
        return nullptr;
    }
    if (sortstate_ == ById) {
        // A written document numbers its objects 1, 2, 3 ...: the entry of an
        // identifier is then at its place, and the first of its kind when the
        // one before has a smaller identifier.
        if (id <= entries_.size() && entries_[id - 1].id == id &&
            (id == 1 || entries_[id - 2].id < id)) {
            return entries_[id - 1].object;
        }
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), id,
                                         [](const Entry& e, std::uint32_t v) { return e.id < v; });
        return it != entries_.end() && it->id == id ? it->object : nullptr;
    }
    const auto it =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    return it != entries_.end() ? it->object : nullptr;
}

void ObjectTable::sort(SortState order) {
    // A loaded table is mostly numbered in order already: a stable sort of it
    // would still copy every entry through a buffer.
    if (order == sortstate_) {
        return;
    }
    if (order == ById) {
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.id < b.id; });
    } else if (order == ByPointer) {
        std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
            return std::less<>()(a.object, b.object);
        });
    }
    sortstate_ = order;
}

} // namespace qx
