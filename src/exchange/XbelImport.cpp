#include "exchange/XbelImport.h"

#include "exchange/BookmarkTree.h"
#include "exchange/XbelFormat.h"

#include <libxml/parser.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace qx {

namespace {

// The parser keeps a document of its own for the declarations of a DTD
// inside the file, even with no tree asked for.
struct ContextFree {
    void operator()(xmlParserCtxt* context) const {
        xmlFreeDoc(context->myDoc);
        context->myDoc = nullptr;
        xmlFreeParserCtxt(context);
    }
};

std::string_view textof(const xmlChar* text) {
    return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

class Reader {
public:
    explicit Reader(BookmarkTree& tree) : tree_(tree) {}

    bool isxbel() const { return xbel_; }

    void start(const xmlChar* name, const xmlChar** attrs) {
        const std::string_view element = textof(name);
        Frame frame;
        const Frame* parent = open_.empty() ? nullptr : &open_.back();
        if (!parent) {
            xbel_ = element == "xbel";
            frame.kind = xbel_ ? Frame::Folder : Frame::Other;
        } else if (parent->kind == Frame::Folder && element == "folder") {
            frame.kind = Frame::Folder;
            frame.folder = tree_.addfolder(parent->folder, {});
        } else if (parent->kind == Frame::Folder && element == "bookmark") {
            frame.kind = Frame::Bookmark;
            frame.folder = parent->folder;
            std::string added;
            std::string modified;
            for (; attrs && attrs[0]; attrs += 2) {
                const std::string_view attr = textof(attrs[0]);
                if (attr == "href")
                    frame.href = textof(attrs[1]);
                else if (attr == "added")
                    added = textof(attrs[1]);
                else if (attr == "modified")
                    modified = textof(attrs[1]);
            }
            frame.added = XbelFormat::parsedate(added);
            if (frame.added == 0)
                frame.added = XbelFormat::parsedate(modified);
        } else if ((parent->kind == Frame::Folder || parent->kind == Frame::Bookmark) &&
                   (element == "title" || element == "desc")) {
            frame.kind = element == "title" ? Frame::Title : Frame::Desc;
        }
        open_.push_back(std::move(frame));
    }

    void end() {
        if (open_.empty())
            return;
        Frame done = std::move(open_.back());
        open_.pop_back();
        if (open_.empty())
            return;
        Frame& parent = open_.back();
        if (done.kind == Frame::Title) {
            if (parent.kind == Frame::Folder && parent.folder != BookmarkTree::kTop)
                tree_.settitle(parent.folder, done.text);
            else if (parent.kind == Frame::Bookmark)
                parent.title = std::move(done.text);
        } else if (done.kind == Frame::Desc && parent.kind == Frame::Bookmark) {
            parent.desc = std::move(done.text);
        } else if (done.kind == Frame::Bookmark) {
            tree_.addbookmark(done.folder, done.href, done.title, done.added, done.desc);
        }
    }

    void text(const xmlChar* bytes, int length) {
        if (open_.empty() || length <= 0)
            return;
        Frame& frame = open_.back();
        const std::size_t limit = frame.kind == Frame::Title  ? BookmarkTree::kMaxTitle * 4
                                  : frame.kind == Frame::Desc ? BookmarkTree::kMaxDescription * 4
                                                              : 0;
        if (frame.text.size() < limit)
            frame.text.append(
                reinterpret_cast<const char*>(bytes),
                std::min(static_cast<std::size_t>(length), limit - frame.text.size()));
    }

private:
    struct Frame {
        enum Kind { Other, Folder, Bookmark, Title, Desc } kind = Other;
        // Folder: its item (kTop for the document's top). Bookmark: the folder
        // it goes into.
        std::uint32_t folder = BookmarkTree::kTop;
        std::string text;
        std::string href;
        std::string title;
        std::string desc;
        platform::FileTime added = 0;
    };

    BookmarkTree& tree_;
    std::vector<Frame> open_;
    bool xbel_ = false;
};

Reader& readerof(void* context) {
    return *static_cast<Reader*>(context);
}

void onstart(void* context, const xmlChar* name, const xmlChar** attrs) {
    readerof(context).start(name, attrs);
}

void onend(void* context, const xmlChar*) {
    readerof(context).end();
}

void ontext(void* context, const xmlChar* bytes, int length) {
    readerof(context).text(bytes, length);
}

// Entities the document declares are not expanded into it: the handler
// leaves the reference out instead of fetching or repeating anything.
xmlEntityPtr onentity(void*, const xmlChar* name) {
    return xmlGetPredefinedEntity(name);
}

} // namespace

int XbelImport::read(std::string_view bytes, BookmarkTree& tree) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        return TooLarge;
    if (bytes.empty())
        return NotXml;
    xmlInitParser();
    xmlSAXHandler events;
    std::memset(&events, 0, sizeof events);
    events.startElement = onstart;
    events.endElement = onend;
    events.characters = ontext;
    events.cdataBlock = ontext;
    events.getEntity = onentity;
    Reader reader(tree);
    std::unique_ptr<xmlParserCtxt, ContextFree> context(
        xmlCreatePushParserCtxt(&events, &reader, nullptr, 0, nullptr));
    if (!context)
        return NotXml;
    // References in attribute values are replaced only when asked; onentity
    // keeps that to the predefined ones and character references.
    xmlCtxtUseOptions(context.get(),
                      XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (xmlParseChunk(context.get(), bytes.data(), static_cast<int>(bytes.size()), 1) != 0 ||
        !context->wellFormed)
        return NotXml;
    return reader.isxbel() ? Ok : NotXbel;
}

} // namespace qx
