#include "exchange/XbelExport.h"

#include "exchange/BookmarkShape.h"
#include "exchange/BookmarkTree.h"
#include "exchange/ExportWalk.h"
#include "exchange/HtmlEscape.h"
#include "exchange/HtmlOut.h"
#include "exchange/XbelFormat.h"
#include "model/Object.h"
#include "model/Ref.h"

#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

namespace qx {

namespace {

class XbelWriter : public BookmarkShape {
public:
    XbelWriter(HtmlOut& out, CharsetConverter& converter) : out_(out), converter_(converter) {}

private:
    void openfolder(std::string_view name, std::uint32_t charset) override {
        indent();
        out_.put("<folder>\n");
        ++depth_;
        indent();
        out_.put("<title>");
        puttext(name, charset);
        out_.put("</title>\n");
    }

    void closefolder() override {
        --depth_;
        indent();
        out_.put("</folder>\n");
    }

    void bookmark(const ObjectProp& props) override {
        indent();
        out_.put("<bookmark href=\"");
        puttext(props.url.view(), 0);
        out_.put("\"");
        platform::FileTime time = 0;
        if (platform::systemTimeToFileTime(props.modified, time)) {
            out_.put(" added=\"");
            out_.put(XbelFormat::formatdate(time));
            out_.put("\"");
        }
        out_.put(">\n");
        ++depth_;
        indent();
        out_.put("<title>");
        puttext(props.title.view(), props.charset);
        out_.put("</title>\n");
        if (!props.comment.empty()) {
            indent();
            out_.put("<desc>");
            puttext(props.comment.view(), 0);
            out_.put("</desc>\n");
        }
        --depth_;
        indent();
        out_.put("</bookmark>\n");
    }

    // Page bytes as UTF-8 without the characters XML 1.0 has no place for,
    // escaped.
    void puttext(std::string_view text, std::uint32_t charset) {
        out_.puttext(BookmarkTree::cleantext(converter_.asutf8(text, charset, utf8_),
                                             std::numeric_limits<std::size_t>::max()));
    }

    void indent() {
        static constexpr std::string_view kSpaces = "                                "
                                                    "                                ";
        out_.put(kSpaces.substr(0, 2 * std::min<std::size_t>(depth_ + 1, 32)));
    }

    HtmlOut& out_;
    CharsetConverter& converter_;
    std::size_t depth_ = 0;
    std::string utf8_;
};

} // namespace

void XbelExport::write(owstream& out, std::span<const Ref* const> nodes) {
    HtmlOut buffer(out);
    buffer.put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE xbel PUBLIC \"");
    buffer.put(XbelFormat::kPublicId);
    buffer.put("\" \"");
    buffer.put(XbelFormat::kSystemId);
    buffer.put("\">\n<xbel version=\"1.0\">\n");
    XbelWriter writer(buffer, converter_);
    for (const Ref* node : nodes)
        ExportWalk::walk(*node, writer);
    buffer.put("</xbel>\n");
}

platform::SysError XbelExport::write(const std::string& path, std::span<const Ref* const> nodes) {
    return BookmarkShape::writefile(path, [&](owstream& out) { write(out, nodes); });
}

} // namespace qx
