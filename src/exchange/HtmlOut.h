#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace qx {

class CharsetConverter;
class owstream;

// The write buffer of the exports: markup and escaped texts are put straight
// into it and go to the stream in large blocks, so that a page of a hundred
// thousand references costs no call to the stream per piece and no copy
// through a string per tag. Bytes reach the stream on flush and on
// destruction; whoever writes to the stream directly flushes first.
class HtmlOut {
public:
    // The buffer size for a buffered stream behind this one: small, so that
    // the blocks from here pass it without being copied.
    static constexpr int kStreamBuffer = 4096;

    explicit HtmlOut(owstream& out);
    ~HtmlOut();
    HtmlOut(const HtmlOut&) = delete;
    HtmlOut& operator=(const HtmlOut&) = delete;

    // Bytes as they stand.
    void put(std::string_view bytes) {
        if (bytes.size() <= static_cast<std::size_t>(end_ - next_)) {
            std::memcpy(next_, bytes.data(), bytes.size());
            next_ += bytes.size();
        } else {
            putlarge(bytes);
        }
    }
    // Outside text, escaped.
    void puttext(std::string_view text);
    // Page bytes in their charset, as escaped UTF-8.
    void puttext(CharsetConverter& converter, std::string_view text, std::uint32_t charset);

    void flush();

private:
    void putlarge(std::string_view bytes);

    owstream& out_;
    std::unique_ptr<char[]> buffer_;
    char* next_;
    char* const end_;
    std::string utf8_;
};

} // namespace qx
