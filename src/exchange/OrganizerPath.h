#pragma once

#include <string_view>

namespace qx {

class DDoc;
class Ref;

// Nodes of the organizer tree named by a path: node names separated by "/"
// from the organizer root, as the tool's "add --folder" makes them. A node
// without a name of its own is named by its page's title.
class OrganizerPath {
public:
    // The first node at the path in tree order, or null; "" and "/" name the
    // root itself.
    static Ref* find(DDoc& doc, std::string_view path);
};

} // namespace qx
