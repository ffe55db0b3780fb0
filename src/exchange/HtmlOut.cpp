#include "exchange/HtmlOut.h"

#include "exchange/HtmlEscape.h"
#include "model/CharsetConverter.h"
#include "stream/owstream.h"

#include <cstring>

namespace qx {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// The longest piece of text escaped in one go: its escaped form always fits
// an empty buffer.
constexpr std::size_t kTextPiece = kBufferSize / HtmlEscape::kLongest;

} // namespace

HtmlOut::HtmlOut(owstream& out)
    : out_(out), buffer_(new char[kBufferSize]), next_(buffer_.get()),
      end_(buffer_.get() + kBufferSize) {}

HtmlOut::~HtmlOut() {
    flush();
}

void HtmlOut::flush() {
    const auto count = static_cast<int>(next_ - buffer_.get());
    if (count > 0)
        out_.write(buffer_.get(), count);
    next_ = buffer_.get();
}

void HtmlOut::putlarge(std::string_view bytes) {
    flush();
    if (bytes.size() > kBufferSize) {
        out_.write(bytes.data(), static_cast<int>(bytes.size()));
        return;
    }
    std::memcpy(next_, bytes.data(), bytes.size());
    next_ += bytes.size();
}

void HtmlOut::puttext(std::string_view text) {
    while (!text.empty()) {
        const std::string_view piece = text.substr(0, kTextPiece);
        if (piece.size() * HtmlEscape::kLongest > static_cast<std::size_t>(end_ - next_))
            flush();
        next_ = HtmlEscape::copy(piece, next_);
        text.remove_prefix(piece.size());
    }
}

void HtmlOut::puttext(CharsetConverter& converter, std::string_view text, std::uint32_t charset) {
    puttext(converter.asutf8(text, charset, utf8_));
}

} // namespace qx
