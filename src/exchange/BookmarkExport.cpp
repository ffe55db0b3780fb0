#include "exchange/BookmarkExport.h"

#include "exchange/BookmarkShape.h"
#include "exchange/HtmlOut.h"
#include "model/Object.h"
#include "model/Ref.h"
#include "platform/FileTime.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

namespace qx {

namespace {

constexpr std::string_view kHeader =
    "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
    "<!-- This is an automatically generated file.\n"
    "     It will be read and overwritten.\n"
    "     DO NOT EDIT! -->\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
    "<TITLE>Bookmarks</TITLE>\n"
    "<H1>Bookmarks</H1>\n"
    "<DL><p>\n";

// Writes one line per folder or bookmark; a folder's list is open while its
// children are written.
class BookmarkWriter : public BookmarkShape {
public:
    BookmarkWriter(HtmlOut& out, CharsetConverter& converter) : out_(out), converter_(converter) {}

private:
    void openfolder(std::string_view name, std::uint32_t charset) override {
        indent();
        out_.put("<DT><H3>");
        out_.puttext(converter_, name, charset);
        out_.put("</H3>\n");
        indent();
        out_.put("<DL><p>\n");
        ++depth_;
    }

    void closefolder() override {
        --depth_;
        indent();
        out_.put("</DL><p>\n");
    }

    void bookmark(const ObjectProp& props) override {
        indent();
        out_.put("<DT><A HREF=\"");
        out_.puttext(converter_, props.url.view(), 0);
        out_.put("\"");
        platform::FileTime time = 0;
        if (platform::systemTimeToFileTime(props.modified, time)) {
            char digits[24];
            const std::string_view seconds(
                digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits,
                                                               platform::unixFromFileTime(time))
                                                     .ptr -
                                                 digits));
            out_.put(" ADD_DATE=\"");
            out_.put(seconds);
            out_.put("\" LAST_MODIFIED=\"");
            out_.put(seconds);
            out_.put("\"");
        }
        out_.put(">");
        out_.puttext(converter_, props.title.view(), props.charset);
        out_.put("</A>\n");
        if (!props.comment.empty()) {
            out_.put("<DD>");
            out_.puttext(converter_, props.comment.view(), 0);
            out_.put("\n");
        }
    }

    void indent() {
        // Indentation stops growing where nobody reads it any more.
        static constexpr std::string_view kSpaces = "                                "
                                                    "                                ";
        out_.put(kSpaces.substr(0, 4 * std::min<std::size_t>(depth_ + 1, 16)));
    }

    HtmlOut& out_;
    CharsetConverter& converter_;
    std::size_t depth_ = 0;
};

} // namespace

void BookmarkExport::write(owstream& out, std::span<const Ref* const> nodes) {
    HtmlOut buffer(out);
    buffer.put(kHeader);
    BookmarkWriter writer(buffer, converter_);
    for (const Ref* node : nodes)
        ExportWalk::walk(*node, writer);
    buffer.put("</DL><p>\n");
}

platform::SysError BookmarkExport::write(const std::string& path,
                                         std::span<const Ref* const> nodes) {
    return BookmarkShape::writefile(path, [&](owstream& out) { write(out, nodes); });
}

} // namespace qx
