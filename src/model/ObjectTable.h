#pragma once

#include "model/PointerIndex.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qx {

class ContainerObject;

// The pairs of identifiers and objects through which a document's nodes store
// their targets. Identifier 0 and a null pointer never appear in it.
// Lookups by pointer go through a hash index, so writing a document costs time
// in proportion to its size, not to objects times references.
class ObjectTable {
public:
    enum Mode { Writing = 0, Reading = 1 };
    enum SortState { Unsorted = 0, ByPointer = 1, ById = 2 };

    struct Entry {
        std::uint32_t id;
        ContainerObject* object;
    };

    // Empties the table (keeping its memory for the next document) and sets the
    // mode; the empty table counts as sorted by identifier.
    void reset(Mode mode);
    // Room for this many entries, and while writing as many pointers in the
    // index, so that numbering them never grows either.
    void reserve(std::size_t count);
    // Appends a pair (a null pointer or identifier 0 is ignored). The sort state
    // survives only when the new entry keeps the order it names.
    void add(ContainerObject* object, std::uint32_t id);
    // The identifier of a pointer already in the table, or else a new one: the
    // entry count + 1. One hash probe either way.
    std::uint32_t intern(ContainerObject* object);

    // The identifier of a pointer, 0 when absent. A hash probe while writing;
    // a table being read keeps no index by pointer, so a scan then.
    std::uint32_t byPointer(const ContainerObject* object) const;
    // The object of an identifier, null for 0 or when absent. Direct for
    // identifiers numbered 1, 2, 3 ..., else a binary search when sorted by
    // identifier (the first entry read wins among equals).
    ContainerObject* byId(std::uint32_t id) const;
    // Brings the entry of an identifier numbered in place (see byId) into
    // the cache ahead of its lookup; nothing for any other.
    void prefetch(std::uint32_t id) const {
        if (sortstate_ == ById && id > 0 && id <= entries_.size()) {
            __builtin_prefetch(&entries_[id - 1]);
        }
    }
    // Sorts by pointer or by identifier (stable), or only marks the table as
    // unsorted.
    void sort(SortState order);

    Mode mode() const { return mode_; }
    SortState sortstate() const { return sortstate_; }
    // The number of entries.
    std::size_t count() const { return entries_.size(); }

private:
    void append(ContainerObject* object, std::uint32_t id);

    Mode mode_ = Writing;
    SortState sortstate_ = ById;
    std::vector<Entry> entries_;
    PointerIndex ids_;
};

} // namespace qx
