#pragma once

#include <string_view>

namespace qx {

class DDoc;
class Ref;

// Nodes of the organizer tree named by a path: node names separated by "/"
// from the organizer root, as the tool's "add --folder" makes them. A
// reference also answers to its page's title (its own name carries the date
// and charset its label had when it was made).
class OrganizerPath {
public:
    // The first node at the path in tree order, or null; "" and "/" name the
    // root itself.
    static Ref* find(DDoc& doc, std::string_view path);
};

} // namespace qx
