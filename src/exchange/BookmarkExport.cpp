#include "exchange/BookmarkExport.h"

#include "exchange/ExportWalk.h"
#include "exchange/HtmlEscape.h"
#include "exchange/WholeFile.h"
#include "model/Object.h"
#include "model/Ref.h"
#include "platform/FileTime.h"
#include "stream/ofbwstream.h"

#include <algorithm>
#include <vector>

namespace qx {

namespace {

constexpr int kBufferSize = 64 * 1024;

constexpr char kHeader[] =
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
    BookmarkWriter(owstream& out, CharsetConverter& converter) : out_(out), converter_(converter) {}

    int enter(const Ref& node) override {
        const Object* target = node.target();
        const bool link = target && !target->props().url.empty();
        if (link)
            bookmark(target->props());
        // A bookmark cannot hold others: a page with children gets a folder
        // of the same name beside it.
        const bool folder = !link || !node.empty();
        if (folder) {
            line().append("<DT><H3>");
            if (target)
                text(target->props().title.empty() ? node.label().view()
                                                   : target->props().title.view(),
                     target->props().charset);
            else
                text(node.name().view(), 0);
            line_.append("</H3>\n");
            flush();
            line().append("<DL><p>\n");
            flush();
            ++depth_;
        }
        folders_.push_back(folder);
        return 0;
    }

    int leave(const Ref&) override {
        if (folders_.back()) {
            --depth_;
            line().append("</DL><p>\n");
            flush();
        }
        folders_.pop_back();
        return 0;
    }

private:
    void bookmark(const ObjectProp& props) {
        line().append("<DT><A HREF=\"");
        text(props.url.view(), 0);
        line_.append("\"");
        platform::FileTime time = 0;
        if (platform::systemTimeToFileTime(props.modified, time)) {
            const std::string seconds = std::to_string(platform::unixFromFileTime(time));
            line_.append(" ADD_DATE=\"").append(seconds).append("\"");
            line_.append(" LAST_MODIFIED=\"").append(seconds).append("\"");
        }
        line_.append(">");
        text(props.title.view(), props.charset);
        line_.append("</A>\n");
        if (!props.comment.empty()) {
            line_.append("<DD>");
            text(props.comment.view(), 0);
            line_.append("\n");
        }
        flush();
    }

    std::string& line() {
        // Indentation stops growing where nobody reads it any more.
        line_.assign(4 * std::min<std::size_t>(depth_ + 1, 16), ' ');
        return line_;
    }

    void text(std::string_view bytes, std::uint32_t charset) {
        HtmlEscape::appendconverted(converter_, bytes, charset, line_);
    }

    void flush() { out_.write(line_.data(), static_cast<int>(line_.size())); }

    owstream& out_;
    CharsetConverter& converter_;
    std::string line_;
    std::vector<bool> folders_;
    std::size_t depth_ = 0;
};

} // namespace

void BookmarkExport::write(owstream& out, std::span<const Ref* const> nodes) {
    out.write(kHeader, sizeof kHeader - 1);
    BookmarkWriter writer(out, converter_);
    for (const Ref* node : nodes)
        ExportWalk::walk(*node, writer);
    out.write("</DL><p>\n", 9);
}

platform::SysError BookmarkExport::write(const std::string& path,
                                         std::span<const Ref* const> nodes) {
    ofbwstream out(path.c_str(), kBufferSize);
    if (!out.good())
        return WholeFile::failure(platform::err::AccessDenied);
    write(out, nodes);
    if (out.close() != 0 || !out.good())
        return WholeFile::failure(platform::err::DiskFull);
    return 0;
}

} // namespace qx
