#pragma once

#include "model/CharsetConverter.h"
#include "platform/SystemError.h"

#include <span>
#include <string>

namespace qx {

class Ref;
class owstream;

// Writes nodes as an XBEL 1.0 document that is valid against its DTD: a node
// without a page is a folder, a node with an address a bookmark with its
// title, its page's date as added and its comment as desc; a page without an
// address stands as a folder, and a page with children as its bookmark and a
// folder of the same name beside it. Texts are UTF-8, without the control
// characters XML cannot hold; hidden nodes are left out.
class XbelExport {
public:
    // 0, or the system error when the file could not be made or written.
    platform::SysError write(const std::string& path, std::span<const Ref* const> nodes);
    void write(owstream& out, std::span<const Ref* const> nodes);

private:
    CharsetConverter converter_;
};

} // namespace qx
