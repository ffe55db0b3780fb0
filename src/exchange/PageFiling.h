#pragma once

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
};

} // namespace qx
