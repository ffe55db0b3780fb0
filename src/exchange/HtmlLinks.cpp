#include "exchange/HtmlLinks.h"

#include "exchange/HtmlSax.h"

namespace qx::exchange {

namespace {

// A title longer than this is not a title any more.
constexpr std::size_t kMaxTitle = 4096;

class LinkReader : public HtmlSax {
public:
    std::vector<DroppedLink> links;

    void start(const char* name, const char** attrs) override {
        if (!named(name, "a"))
            return;
        finish();
        href_ = attribute(attrs, "href");
        inside_ = true;
    }
    void end(const char* name) override {
        if (named(name, "a"))
            finish();
    }
    void text(std::string_view bytes) override {
        if (!inside_)
            return;
        for (char c : bytes) {
            const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
            if (title_.size() >= kMaxTitle)
                break;
            if (!blank)
                title_ += c;
            else if (!title_.empty() && title_.back() != ' ')
                title_ += ' ';
        }
    }
    void finish() {
        if (inside_ && !href_.empty() && href_.find_first_of("\r\n") == std::string::npos)
            links.push_back({href_, trimmed(title_)});
        inside_ = false;
        href_.clear();
        title_.clear();
    }

private:
    bool inside_ = false;
    std::string href_;
    std::string title_;
};

} // namespace

std::vector<DroppedLink> parseHtmlLinks(std::string_view html) {
    LinkReader reader;
    reader.read(html);
    reader.finish();
    return std::move(reader.links);
}

} // namespace qx::exchange
