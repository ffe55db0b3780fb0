#pragma once

#include "stream/ArenaPlaced.h"
#include "stream/Str.h"

namespace qx {

class Container;
class ContainerNode;
class LabelTexts;
class Object;
class RefResolver;
class SearchKey;
class iwstream;
class otwstream;
class owstream;

// Everything a Container holds.
// Objects made while a document is read live in the document's arena.
class ContainerObject : public ArenaPlaced {
public:
    ContainerObject() = default;
    virtual ~ContainerObject();
    ContainerObject(const ContainerObject&) = delete;
    ContainerObject& operator=(const ContainerObject&) = delete;

    // The text a view shows for the object.
    virtual Str label() const = 0;
    // Debug dump: class name and address; derived classes add their fields.
    virtual void dump(otwstream& out) const;
    // The object's fields; 0 on success, non-zero on failure.
    virtual int write(owstream& out, RefResolver& resolver) const = 0;
    virtual int read(iwstream& in, int version, RefResolver& resolver) = 0;
    // Called once after a whole container was read; nothing by default.
    virtual void fixup(RefResolver& resolver);
    // Whether fixup does anything: when no object held does, the container
    // skips the walk. Asked once, when the object is added.
    virtual bool needsfixup() const;

    // This object as a page, or null: a virtual call for every node whose
    // target a loaded tree resolves, where a dynamic cast compared type names.
    virtual Object* asobject();

    // The key under which a container finds the object quickly, or null for
    // an object found only by a full scan.
    virtual const SearchKey* indexkey() const;

    // The container holding the object, or null.
    Container* container() const { return container_; }
    // What its labels read from outside the model: the holding container's
    // texts, none outside a container.
    const LabelTexts& labeltexts() const;

protected:
    // Tells the holding container that indexkey() changed.
    void keychanged();

private:
    friend class Container;
    Container* container_ = nullptr;
    ContainerNode* node_ = nullptr; // the holding container's list node
};

} // namespace qx
