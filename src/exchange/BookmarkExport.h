#pragma once

#include "model/CharsetConverter.h"
#include "platform/SystemError.h"

#include <span>
#include <string>

namespace qx {

class Ref;
class owstream;

// Writes nodes as a browser bookmark file (the Netscape bookmark format every
// browser imports): a node without a page is a folder, a node with an
// address a bookmark, its page's comment the bookmark's description; a page
// with a title and no address stands as a folder. Texts are UTF-8 and
// escaped; hidden nodes are left out.
class BookmarkExport {
public:
    // 0, or the system error when the file could not be made or written.
    platform::SysError write(const std::string& path, std::span<const Ref* const> nodes);
    // The whole file to a stream.
    void write(owstream& out, std::span<const Ref* const> nodes);

private:
    CharsetConverter converter_;
};

} // namespace qx
