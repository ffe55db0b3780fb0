#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx {
class Ref;
}

namespace qx::exchange {

// One reference as it leaves the program.
struct Link {
    std::string url;
    std::string title;
    std::string label;
};

// The bytes of every format a drag or a copy of references offers to other
// programs, made from the references alone, so that a drag and the clipboard
// hand over the same thing.
class LinkBytes {
public:
    explicit LinkBytes(std::vector<Link> links) : links_(std::move(links)) {}
    // The references with an address of the nodes and of everything below
    // them, depth first: a folder gives its references.
    static LinkBytes of(std::span<const Ref* const> nodes);

    bool empty() const { return links_.empty(); }
    const std::vector<Link>& links() const { return links_; }
    // The formats with something to carry; none without references.
    std::vector<std::string_view> formats() const;
    // A format's bytes; empty for one not in formats().
    std::string bytes(std::string_view format) const;

private:
    std::vector<Link> links_;
};

} // namespace qx::exchange
