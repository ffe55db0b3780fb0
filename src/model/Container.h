#pragma once

#include "model/ContainerNode.h"
#include "model/DefRefResolver.h"
#include "model/OpenHashMap.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace qx {

class ContainerObjectComparator;
class LabelTexts;
class otwstream;

// A cursor over a container's objects in list order.
class ContainerIterator {
public:
    explicit ContainerIterator(ContainerNode* node) : node_(node) {}

    // Null past either end.
    ContainerObject* current() const { return node_ ? node_->object() : nullptr; }
    ContainerObject* next();
    ContainerObject* prev();

private:
    ContainerNode* node_;
};

// The store of a document's objects: owns them, in the order they were added,
// and maps them to identifiers when the document is written or read. An
// object knows its list node, and objects are found by index key through a
// hash table, so neither removing nor looking up a page scans the whole store.
class Container : public DefRefResolver {
public:
    Container() = default;
    ~Container() override;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    // Appends an object (ignored when null or already held); returns it.
    ContainerObject* add(std::unique_ptr<ContainerObject> object);
    // Deletes the object if this container holds it. The object must be alive
    // (held here, elsewhere or nowhere).
    void remove(ContainerObject* object);
    // Whether this container holds exactly that pointer: may be asked about
    // any pointer, even one whose object is gone.
    bool contains(const ContainerObject* object) const;
    // The first object in list order that the comparator matches, or null.
    ContainerObject* find(const ContainerObjectComparator& comparator) const;

    // What the labels of the objects and of the nodes over them read from
    // outside the model. Not owned; null (the default) for none.
    void setlabeltexts(const LabelTexts* texts) { texts_ = texts; }
    const LabelTexts& labeltexts() const;

    std::size_t count() const { return list_.count(); }
    // A cursor at the first object, or at the given one (past the end when the
    // container does not hold it; the object must be alive).
    ContainerIterator iterate() const;
    ContainerIterator iterate(const ContainerObject* from) const;

    void clear();
    // Room for this many objects in the key index and the identifier table,
    // so that reading or writing a document of a known size never rehashes.
    void reserve(std::size_t count);
    // Calls fixup on every object in list order, after loading.
    void fixupall();
    virtual void dump(otwstream& out) const;

private:
    friend class ContainerObject;
    ContainerNode* nodeof(const ContainerObject* object) const;
    // Files the node under its object's current index key, or takes it out.
    void reindex(const ContainerObject& object);
    void keyin(ContainerNode* node);
    void keyout(ContainerNode* node);

    ContainerList list_;
    const LabelTexts* texts_ = nullptr;
    std::uint64_t nextorder_ = 0;
    std::size_t fixups_ = 0; // objects added that want fixupall
    // The objects held, for contains, which never reads through the pointer
    // it is asked about. Built on its first use and kept from then on: a
    // load files a million objects that nobody may ever ask about, and
    // filing them costs a cache miss each.
    mutable OpenHashMap<const ContainerObject*, const ContainerObject*> held_;
    mutable bool heldbuilt_ = false;
    // Hash of an index key -> first node of the chain with that hash.
    OpenHashMap<std::uint32_t, ContainerNode*> keys_;
};

} // namespace qx
