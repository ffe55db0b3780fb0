#include "exchange/BookmarkImport.h"

#include "exchange/PageFiling.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "platform/DateTime.h"
#include "platform/FileTime.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <vector>

namespace qx {

namespace {

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

struct XmlText {
    void operator()(xmlChar* text) const { xmlFree(text); }
};

using OwnedText = std::unique_ptr<xmlChar, XmlText>;

bool named(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

std::string trimmed(const xmlChar* text) {
    if (!text)
        return {};
    std::string_view view(reinterpret_cast<const char*>(text));
    const char* blanks = " \t\r\n\f";
    const std::string_view::size_type first = view.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return std::string(view.substr(first, view.find_last_not_of(blanks) - first + 1));
}

std::string content(const xmlNode* node) {
    OwnedText text(xmlNodeGetContent(node));
    return trimmed(text.get());
}

std::string attribute(const xmlNode* node, const char* name) {
    OwnedText text(xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)));
    return trimmed(text.get());
}

// The text directly inside a node, without that of the elements in it.
std::string owntext(const xmlNode* node) {
    std::string text;
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE && child->content)
            text += reinterpret_cast<const char*>(child->content);
    }
    return trimmed(reinterpret_cast<const xmlChar*>(text.c_str()));
}

// A bookmark date: seconds since 1970; some browsers write microseconds.
bool bookmarkdate(const std::string& text, platform::SystemTime& time) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        text.size() > 18)
        return false;
    long long seconds = std::strtoll(text.c_str(), nullptr, 10);
    constexpr long long kYear3000 = 32503680000LL;
    if (seconds > kYear3000)
        seconds /= 1000000;
    return seconds > 0 && platform::fileTimeToSystemTime(platform::fileTimeFromUnix(seconds), time);
}

// Turns the parsed page into nodes while walking it in document order. A
// folder's heading comes before its list, wherever the parser put the list,
// so a list that follows a heading belongs to the heading's folder.
class Builder {
public:
    Builder(DDoc& doc, Ref& parent, std::size_t& folders, std::size_t& bookmarks,
            std::size_t& skipped)
        : doc_(doc), folders_(folders), bookmarks_(bookmarks), skipped_(skipped) {
        open_.push_back(&parent);
    }

    // Whether the walk goes on into the node's children.
    bool enter(const xmlNode* node) {
        if (named(node, "h3")) {
            pending_ = &doc_.createfolder(Str(content(node)), *open_.back(), nullptr);
            ++folders_;
            return false;
        }
        if (named(node, "a")) {
            pending_ = nullptr;
            bookmark(node);
            return false;
        }
        if (named(node, "dl")) {
            open_.push_back(pending_ ? pending_ : open_.back());
            pending_ = nullptr;
        } else if (named(node, "dd") && last_) {
            ObjectProp props = last_->props();
            props.comment = Str(owntext(node));
            doc_.setobjectprops(*last_, props);
            last_ = nullptr;
        }
        return true;
    }

    void leave(const xmlNode* node) {
        if (named(node, "dl") && open_.size() > 1)
            open_.pop_back();
    }

private:
    void bookmark(const xmlNode* node) {
        last_ = nullptr;
        Object* page = PageFiling::filepage(doc_, attribute(node, "href"));
        if (!page) {
            ++skipped_;
            return;
        }
        ObjectProp props = page->props();
        if (const std::string title = content(node); !title.empty())
            props.title = Str(title);
        std::string date = attribute(node, "last_modified");
        if (date.empty())
            date = attribute(node, "add_date");
        bookmarkdate(date, props.modified);
        doc_.setobjectprops(*page, props);
        page->addflags(Object::Confirmed);
        doc_.createresult(page, nullptr, *open_.back(), nullptr, false);
        last_ = page;
        ++bookmarks_;
    }

    DDoc& doc_;
    std::size_t& folders_;
    std::size_t& bookmarks_;
    std::size_t& skipped_;
    // The folder of each list open around the walk; the first is the parent.
    std::vector<Ref*> open_;
    // A folder whose list has not begun yet.
    Ref* pending_ = nullptr;
    // The page of the bookmark a description would belong to.
    Object* last_ = nullptr;
};

} // namespace

BookmarkImport::BookmarkImport(DDoc& doc) : doc_(doc) {
    xmlInitParser();
}

int BookmarkImport::read(std::string_view bytes, Ref& parent) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        return TooLarge;
    const int options =
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;
    std::unique_ptr<xmlDoc, DocFree> page(
        htmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, "UTF-8", options));
    const xmlNode* root = page ? xmlDocGetRootElement(page.get()) : nullptr;
    if (!root)
        return NotHtml;
    // Without recursion: a file may nest its lists as deep as it likes.
    Builder builder(doc_, parent, folders_, bookmarks_, skipped_);
    const xmlNode* node = root;
    while (node) {
        if (builder.enter(node) && node->children) {
            node = node->children;
            continue;
        }
        while (node != root && !node->next) {
            builder.leave(node);
            node = node->parent;
        }
        builder.leave(node);
        node = node == root ? nullptr : node->next;
    }
    return Ok;
}

} // namespace qx
