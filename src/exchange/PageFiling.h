#pragma once

#include "model/ObjectProp.h"

#include <string_view>

namespace qx {

class DDoc;
class Object;

// Pages at addresses: an address becomes the target of its domain-tree node.
class PageFiling {
public:
    // The page at an address, made when its domain-tree node has none. Null
    // for anything but "scheme://host..." (the domain tree would take any
    // word for a host).
    static Object* filepage(DDoc& doc, std::string_view url);

    struct Filed {
        Object* page = nullptr;
        // Whether the page was made now.
        bool made = false;
    };
    // As filepage, and a page made here has the properties given (with the
    // address as its url) from the start: filing many new pages then costs
    // no change of properties per page. A page already there is left as it is.
    static Filed file(DDoc& doc, std::string_view url, ObjectProp props);
};

} // namespace qx
