#include "JsonTree.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <vector>

namespace qsearch {

namespace {

using nlohmann::json;

// An input iterator over the text that records how far the parser has read,
// the only way to learn where a value stands.
struct CountingIterator {
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    const char* at = nullptr;
    const char** consumed = nullptr;

    reference operator*() const { return *at; }
    CountingIterator& operator++() {
        ++at;
        if (consumed)
            *consumed = at;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at == other.at; }
    bool operator!=(const CountingIterator& other) const { return at != other.at; }
};

std::string escapeToken(const std::string& token) {
    std::string out;
    for (char c : token)
        out += c == '~' ? std::string("~0") : c == '/' ? std::string("~1") : std::string(1, c);
    return out;
}

class TreeBuilder {
public:
    TreeBuilder(json& root, std::string_view text, const char** consumed,
                std::map<std::string, int>* lines)
        : root_(root), text_(text), consumed_(consumed), lines_(lines) {}

    bool null() { return add(json(nullptr)); }
    bool boolean(bool v) { return add(json(v)); }
    bool number_integer(json::number_integer_t v) { return add(json(v)); }
    bool number_unsigned(json::number_unsigned_t v) { return add(json(v)); }
    bool number_float(json::number_float_t v, const std::string&) { return add(json(v)); }
    bool string(json::string_t& v) { return add(json(std::move(v))); }
    bool binary(json::binary_t&) { return false; }
    bool start_object(std::size_t) { return open(json::object()); }
    bool start_array(std::size_t) { return open(json::array()); }
    bool key(json::string_t& k) {
        key_ = std::move(k);
        return true;
    }
    bool end_object() { return close(); }
    bool end_array() { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& e) {
        error_ = e.what();
        // The library's text starts with its own tag: keep what follows it.
        const auto tag = error_.find("] ");
        if (tag != std::string::npos)
            error_.erase(0, tag + 2);
        return false;
    }

    const std::string& error() const { return error_; }

private:
    // The line of the last character the parser took before this call, which
    // may have looked one character past a number.
    int line() const {
        const std::size_t end = static_cast<std::size_t>(*consumed_ - text_.data());
        const std::size_t upto = end == 0 ? 0 : end - 1;
        return 1 + static_cast<int>(std::count(text_.begin(), text_.begin() + upto, '\n'));
    }

    std::string childPointer() const {
        if (stack_.empty())
            return "";
        const json& parent = *stack_.back();
        return pointers_.back() + "/" +
               (parent.is_array() ? std::to_string(parent.size()) : escapeToken(key_));
    }

    json* place(json&& value) {
        if (stack_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        json& parent = *stack_.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        json& slot = parent[key_];
        slot = std::move(value);
        return &slot;
    }

    bool add(json&& value) {
        if (lines_)
            (*lines_)[childPointer()] = line();
        place(std::move(value));
        return true;
    }

    bool open(json&& container) {
        if (static_cast<int>(stack_.size()) >= JsonTree::kMaxDepth) {
            error_ = "nested deeper than " + std::to_string(JsonTree::kMaxDepth) + " levels";
            return false;
        }
        if (lines_) {
            const std::string pointer = childPointer();
            (*lines_)[pointer] = line();
            pointers_.push_back(pointer);
        }
        stack_.push_back(place(std::move(container)));
        return true;
    }

    bool close() {
        stack_.pop_back();
        if (lines_)
            pointers_.pop_back();
        return true;
    }

    json& root_;
    std::string_view text_;
    const char** consumed_;
    std::map<std::string, int>* lines_;
    std::vector<json*> stack_;
    std::vector<std::string> pointers_;
    std::string key_;
    std::string error_;
};

} // namespace

bool JsonTree::parse(std::string_view text, json& out, std::string* error,
                     std::map<std::string, int>* lines) {
    out = json();
    const char* consumed = text.data();
    TreeBuilder builder(out, text, &consumed, lines);
    bool ok = false;
    if (lines || error) {
        CountingIterator first{text.data(), &consumed};
        CountingIterator last{text.data() + text.size(), nullptr};
        ok = json::sax_parse(first, last, &builder, json::input_format_t::json, true);
    } else {
        // Nobody asks where: the library's own fast input.
        ok = json::sax_parse(text.data(), text.data() + text.size(), &builder,
                             json::input_format_t::json, true);
    }
    if (!ok) {
        out = json();
        if (error) {
            *error = builder.error();
            if (error->find("line ") == std::string::npos) {
                const auto upto = static_cast<std::size_t>(consumed - text.data());
                *error = "line " +
                         std::to_string(1 + std::count(text.begin(), text.begin() + upto, '\n')) +
                         ": " + *error;
            }
        }
    }
    return ok;
}

const json* JsonTree::find(const json& root, std::string_view path) {
    const json* at = &root;
    while (!path.empty()) {
        const std::size_t dot = path.find('.');
        const std::string_view segment = path.substr(0, dot);
        path = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
        if (at->is_object()) {
            const auto it = at->find(std::string(segment));
            if (it == at->end())
                return nullptr;
            at = &*it;
        } else if (at->is_array()) {
            std::size_t index = 0;
            const auto [end, ec] =
                std::from_chars(segment.data(), segment.data() + segment.size(), index);
            if (ec != std::errc() || end != segment.data() + segment.size() || index >= at->size())
                return nullptr;
            at = &(*at)[index];
        } else {
            return nullptr;
        }
    }
    return at;
}

} // namespace qsearch
