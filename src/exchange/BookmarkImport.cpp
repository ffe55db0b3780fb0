#include "exchange/BookmarkImport.h"

#include "exchange/HtmlSax.h"
#include "exchange/PageFiling.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "platform/DateTime.h"
#include "platform/FileTime.h"
#include "stream/owstream.h"

#include <climits>
#include <cstdlib>
#include <vector>

namespace qx {

namespace {

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

// Builds nodes from the parser's events, in document order. A folder's
// heading comes before its list, wherever the parser closes the elements
// around them (it nests every DT in the one before), so a list that follows
// a heading belongs to the heading's folder. Only events are used, no tree:
// a file may nest as deep as it likes.
class Builder : public HtmlSax {
public:
    Builder(DDoc& doc, Ref& parent, std::size_t& folders, std::size_t& bookmarks,
            std::size_t& skipped)
        : doc_(doc), folders_(folders), bookmarks_(bookmarks), skipped_(skipped) {
        open_.push_back(&parent);
    }

    bool started() const { return started_; }

    void start(const char* name, const char** attrs) override {
        started_ = true;
        if (named(name, "h3")) {
            finish();
            collect(Folder);
        } else if (named(name, "a")) {
            finish();
            pending_ = nullptr;
            href_ = attribute(attrs, "href");
            date_ = attribute(attrs, "last_modified");
            if (date_.empty())
                date_ = attribute(attrs, "add_date");
            collect(Link);
        } else if (named(name, "dl")) {
            finish();
            open_.push_back(pending_ ? pending_ : open_.back());
            pending_ = nullptr;
        } else if (named(name, "dd")) {
            finish();
            if (last_)
                collect(Description);
        } else if (named(name, "dt")) {
            finish();
        }
    }

    void end(const char* name) override {
        if (named(name, "h3") || named(name, "a") || named(name, "dd")) {
            finish();
        } else if (named(name, "dl")) {
            finish();
            if (open_.size() > 1)
                open_.pop_back();
        }
    }

    void text(std::string_view bytes) override {
        if (collecting_ != None && text_.size() < kMaxStreamText)
            text_.append(bytes.substr(0, kMaxStreamText - text_.size()));
    }

private:
    enum Collecting { None, Folder, Link, Description };

    void collect(Collecting what) {
        collecting_ = what;
        text_.clear();
    }

    // Ends whatever text was being gathered and makes what it names.
    void finish() {
        const Collecting was = collecting_;
        collecting_ = None;
        if (was == Folder) {
            pending_ = &doc_.createfolder(Str(trimmed(text_)), *open_.back(), nullptr);
            ++folders_;
        } else if (was == Link) {
            bookmark();
        } else if (was == Description) {
            ObjectProp props = last_->props();
            props.comment = Str(trimmed(text_));
            doc_.setobjectprops(*last_, props);
            last_ = nullptr;
        }
    }

    void bookmark() {
        last_ = nullptr;
        const std::string title = trimmed(text_);
        auto take = [&](ObjectProp& props) {
            if (!title.empty())
                props.title = Str(title);
            bookmarkdate(date_, props.modified);
        };
        ObjectProp fresh;
        take(fresh);
        const PageFiling::Filed filed = PageFiling::file(doc_, href_, std::move(fresh));
        Object* page = filed.page;
        if (!page) {
            ++skipped_;
            return;
        }
        // A page made now has them already.
        if (!filed.made) {
            ObjectProp props = page->props();
            take(props);
            doc_.setobjectprops(*page, props);
        }
        page->addflags(Object::Confirmed);
        doc_.createresult(page, nullptr, *open_.back(), nullptr, false);
        last_ = page;
        ++bookmarks_;
    }

    DDoc& doc_;
    std::size_t& folders_;
    std::size_t& bookmarks_;
    std::size_t& skipped_;
    bool started_ = false;
    // The folder of each list open around the parser; the first is the parent.
    std::vector<Ref*> open_;
    // A folder whose list has not begun yet.
    Ref* pending_ = nullptr;
    // The page of the bookmark a description would belong to.
    Object* last_ = nullptr;
    Collecting collecting_ = None;
    std::string text_;
    std::string href_;
    std::string date_;
};

} // namespace

BookmarkImport::BookmarkImport(DDoc& doc) : doc_(doc) {}

int BookmarkImport::read(std::string_view bytes, Ref& parent) {
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        return TooLarge;
    Builder builder(doc_, parent, folders_, bookmarks_, skipped_);
    // No depth limit: browsers' files nest each entry in the one before as
    // the parser reads them, so a folder of a thousand bookmarks is that deep.
    if (!builder.read(bytes))
        return NotHtml;
    builder.end("a");
    return builder.started() ? Ok : NotHtml;
}

} // namespace qx
