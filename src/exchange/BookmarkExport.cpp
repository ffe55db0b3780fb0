#include "exchange/BookmarkExport.h"

#include "exchange/ExportWalk.h"
#include "exchange/HtmlOut.h"
#include "exchange/WholeFile.h"
#include "model/Object.h"
#include "model/Ref.h"
#include "platform/FileTime.h"
#include "stream/ofbwstream.h"

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
class BookmarkWriter : public ExportVisitor {
public:
    BookmarkWriter(HtmlOut& out, CharsetConverter& converter) : out_(out), converter_(converter) {}

    int enter(const Ref& node) override {
        const Object* target = ExportWalk::pageof(node);
        const bool link = target && !target->props().url.empty();
        if (link)
            bookmark(target->props());
        // A bookmark cannot hold others: a page with children gets a folder
        // of the same name beside it.
        const bool folder = !link || !node.empty();
        if (folder) {
            indent();
            out_.put("<DT><H3>");
            if (target)
                out_.puttext(converter_,
                             target->props().title.empty() ? node.label().view()
                                                           : target->props().title.view(),
                             target->props().charset);
            else
                out_.puttext(converter_, node.name().view(), 0);
            out_.put("</H3>\n");
            indent();
            out_.put("<DL><p>\n");
            ++depth_;
        }
        folders_.push_back(folder);
        return 0;
    }

    int leave(const Ref&) override {
        if (folders_.back()) {
            --depth_;
            indent();
            out_.put("</DL><p>\n");
        }
        folders_.pop_back();
        return 0;
    }

private:
    void bookmark(const ObjectProp& props) {
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
    std::vector<bool> folders_;
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
    ofbwstream out(path.c_str(), HtmlOut::kStreamBuffer);
    if (!out.good())
        return WholeFile::failure(platform::err::AccessDenied);
    write(out, nodes);
    if (out.close() != 0 || !out.good())
        return WholeFile::failure(platform::err::DiskFull);
    return 0;
}

} // namespace qx
