#pragma once

#include "model/Tree.h"
#include "stream/ArenaPlaced.h"
#include "stream/Str.h"

#include <cstdint>
#include <string>

namespace qx {

class Container;
class Object;
class RefResolver;

// A named tree node that may point at one Object of the document's container,
// its target. The base of every reference node. Nodes made while a document
// is read live in the document's arena.
class RefTree : public Tree, public ArenaPlaced {
public:
    explicit RefTree(const Str& name = {});

    const Str& name() const { return name_; }
    Object* target() const { return target_; }
    // The parent as a reference node, or null.
    RefTree* parentref() const;

    // The container that owns the root of this node's tree, or null.
    virtual Container* container() const;
    // Stored form (each class writes its own fields first, then its base's):
    // here the target identifier (0 for none; as wide as the resolver says)
    // and the name. 0 on success, 1 when the stream failed.
    virtual int write(owstream& out, RefResolver& resolver) const;
    virtual int read(iwstream& in, int version, RefResolver& resolver);
    // Turns the stored target identifiers of the whole subtree into pointers,
    // node by node in pre-order (without recursion: loaded trees may be deep).
    virtual void fixup(RefResolver& resolver);
    RefTree* asreftree() override;
    // The name; a single blank for an empty name.
    Str label() const;
    // The same text, built straight into the caller's string (which it
    // replaces): a view makes a label per row without copying it on the way.
    virtual void labelinto(std::string& text) const;

    void dumpself(otwstream& out) const override;

protected:
    // This node's own part of fixup.
    virtual void fixupnode(RefResolver& resolver);
    // " name=", the name, " target=" and the target's dump.
    void dumpnameandtarget(otwstream& out) const;

    Str name_;
    Object* target_ = nullptr;

private:
    // The target identifier read, until fixup resolves it.
    std::uint32_t loadedid_ = 0;
};

} // namespace qx
