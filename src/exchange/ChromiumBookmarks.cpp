#include "exchange/ChromiumBookmarks.h"

#include "exchange/BookmarkTree.h"

#include <nlohmann/json.hpp>

#include <array>
#include <string>
#include <vector>

namespace qx {

namespace {

using Json = nlohmann::json;

// A date of the store: microseconds since 1601 as decimal digits; 0 when it
// is not one.
platform::FileTime webkittime(std::string_view digits) {
    if (digits.empty() || digits.size() > 19)
        return 0;
    std::uint64_t micro = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        micro = micro * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return micro > UINT64_MAX / 10 ? 0 : micro * 10;
}

struct Root {
    std::string_view key;
    std::string_view name;
};

constexpr std::array<Root, 3> kRoots{{{"bookmark_bar", "Bookmarks bar"},
                                      {"other", "Other bookmarks"},
                                      {"synced", "Mobile bookmarks"}}};

class Reader : public nlohmann::json_sax<Json> {
public:
    explicit Reader(BookmarkTree& tree) : tree_(tree) {}

    bool sawroots() const { return roots_; }

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t number) override {
        if (innode() && key_ == "date_added")
            frames_.back().added = number > UINT64_MAX / 10 ? 0 : number * 10;
        return value();
    }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t& text) override {
        if (innode()) {
            Frame& node = frames_.back();
            if (key_ == "type")
                node.type = text;
            else if (key_ == "name")
                node.name = text;
            else if (key_ == "url")
                node.url = text;
            else if (key_ == "date_added")
                node.added = webkittime(text);
        }
        return value();
    }
    bool binary(binary_t&) override { return value(); }

    bool start_object(std::size_t) override {
        Frame frame;
        if (frames_.empty()) {
            frame.kind = Frame::Top;
        } else if (frames_.back().kind == Frame::Top && key_ == "roots") {
            frame.kind = Frame::Roots;
            roots_ = true;
        } else if (frames_.back().kind == Frame::Roots) {
            for (const Root& root : kRoots) {
                if (key_ == root.key) {
                    frame.kind = Frame::Node;
                    frame.root = root.name;
                }
            }
        } else if (frames_.back().kind == Frame::Children) {
            frame.kind = Frame::Node;
            frame.parent = frames_.back().folder;
        }
        frames_.push_back(std::move(frame));
        key_.clear();
        return true;
    }

    bool key(string_t& name) override {
        key_ = name;
        return true;
    }

    bool end_object() override {
        Frame node = std::move(frames_.back());
        frames_.pop_back();
        if (node.kind == Frame::Node)
            finish(node);
        return value();
    }

    bool start_array(std::size_t) override {
        Frame frame;
        if (innode() && key_ == "children") {
            Frame& node = frames_.back();
            if (node.folder == BookmarkTree::kTop) {
                node.folder = tree_.addfolder(node.parent, node.name);
                node.made = tree_.items().size();
            }
            frame.kind = Frame::Children;
            frame.folder = node.folder;
        }
        frames_.push_back(std::move(frame));
        key_.clear();
        return true;
    }

    bool end_array() override {
        frames_.pop_back();
        return value();
    }

    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    struct Frame {
        enum Kind { Ignore, Top, Roots, Node, Children } kind = Ignore;
        // Node: the folder it goes into. Children: the folder they go into.
        std::uint32_t parent = BookmarkTree::kTop;
        // Node: its folder item once its children began.
        std::uint32_t folder = BookmarkTree::kTop;
        // The item count right after the folder was made.
        std::size_t made = 0;
        // A root: the name it has when the file gives none.
        std::string_view root;
        std::string type;
        std::string name;
        std::string url;
        platform::FileTime added = 0;
    };

    bool innode() const { return !frames_.empty() && frames_.back().kind == Frame::Node; }

    // A value ends the key it belonged to.
    bool value() {
        key_.clear();
        return true;
    }

    void finish(Frame& node) {
        const std::string_view name =
            node.name.empty() && !node.root.empty() ? node.root : std::string_view(node.name);
        // A url that came with an empty list of children is a url.
        if (node.folder != BookmarkTree::kTop && node.type == "url" && node.root.empty() &&
            tree_.items().size() == node.made) {
            tree_.dropifempty(node.folder);
            node.folder = BookmarkTree::kTop;
        }
        if (node.folder != BookmarkTree::kTop) {
            tree_.settitle(node.folder, name);
            // A root with nothing in it: Chromium keeps all three always.
            if (!node.root.empty() && tree_.items().size() == node.made)
                tree_.dropifempty(node.folder);
        } else if (node.type == "url") {
            tree_.addbookmark(node.parent, node.url, name, node.added);
        } else if (node.type == "folder" && node.root.empty()) {
            tree_.addfolder(node.parent, name);
        }
    }

    BookmarkTree& tree_;
    std::vector<Frame> frames_;
    std::string key_;
    bool roots_ = false;
};

} // namespace

int ChromiumBookmarks::read(std::string_view bytes, BookmarkTree& tree) {
    Reader reader(tree);
    if (!Json::sax_parse(bytes.begin(), bytes.end(), &reader))
        return NotJson;
    return reader.sawroots() ? Ok : NoRoots;
}

} // namespace qx
