#pragma once

#include "exchange/ExportWalk.h"
#include "platform/SystemError.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

class owstream;
struct ObjectProp;

// How the bookmark formats (the Netscape file, XBEL) lay out a tree: a node
// without a page is a folder, a node with an address a bookmark; a page
// without an address stands as a folder of its title, and a page with
// children as its bookmark and a folder of the same name beside it (a
// bookmark cannot hold others). A writer says how each piece is written.
class BookmarkShape : public ExportVisitor {
public:
    int enter(const Ref& node) final;
    int leave(const Ref& node) final;

    // Makes the file, writes it through the stream and closes it: 0, or the
    // system error when it could not be made or written.
    static platform::SysError writefile(const std::string& path,
                                        const std::function<void(owstream&)>& write);

protected:
    virtual void bookmark(const ObjectProp& props) = 0;
    // name: page bytes in their charset (0: UTF-8 as it stands).
    virtual void openfolder(std::string_view name, std::uint32_t charset) = 0;
    virtual void closefolder() = 0;

private:
    // Per node entered and not yet left: whether it opened a folder.
    std::vector<bool> folders_;
};

} // namespace qx
