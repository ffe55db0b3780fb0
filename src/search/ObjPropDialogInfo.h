#pragma once

#include "model/ObjectProp.h"
#include "model/OrgProp.h"
#include "stream/Str.h"

#include <optional>
#include <string>

namespace qx {

class EngineTable;

class DDoc;
class Ref;

// What the properties command offers for a node: the find dialog for a saved
// search that is not running, the properties dialog for another node with a
// target, else nothing.
enum class PropertiesKind { None, SavedSearch, Object };
PropertiesKind propertieskind(const Ref& node);

// The record the properties dialog shows and edits: the node's name, a copy of
// its page's properties and, for an organizer reference, its result properties.
struct ObjPropDialogInfo {
    Str name;
    ObjectProp props;
    std::optional<OrgProp> orgprop;

    // From a node with a target.
    static ObjPropDialogInfo fromnode(const Ref& node);

    // Names of the engines of `servers`, in bit order, ", "-separated; bits
    // without a name are left out.
    std::string serverstext(const EngineTable& engines) const;
    // The HTTP date of `modified`; empty when the year is 0.
    std::string modifiedtext() const;
    // The language module's text of the charset, 0 when none.
    unsigned charsettext() const;
    // The size in decimal; empty for 0.
    std::string sizetext() const;
    // "12% (7)" from fitness and sequence, "(7)" without fitness; empty
    // without result properties.
    std::string relevancetext() const;

    // Accepted: an organizer reference takes the name; the page takes the
    // properties, so that its keys and every view follow.
    void apply(DDoc& document, Ref& node) const;
};

} // namespace qx
