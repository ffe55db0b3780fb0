#include "exchange/HtmlTag.h"

#include "exchange/HtmlNames.h"
#include "stream/owstream.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace qx {

namespace {

constexpr char kLineBreak[] = "\r\n";

bool needsquotes(const char* text) {
    return !text || !*text || std::strpbrk(text, " ='<>") != nullptr;
}

} // namespace

HtmlTag::HtmlTag(owstream& out, int element) : HtmlTag(out, element, {}) {}

HtmlTag::HtmlTag(owstream& out, int element, std::initializer_list<HtmlAttr> attrs)
    : out_(out), element_(element) {
    put("<");
    put(HtmlNames::tagname(element));
    for (const HtmlAttr& attr : attrs)
        putattr(attr);
    out_.write(">", 1);
    if (!HtmlNames::isinline(element))
        out_.write(kLineBreak, 2);
}

HtmlTag::~HtmlTag() {
    close();
}

void HtmlTag::close() {
    if (element_ != 0 && !HtmlNames::isempty(element_)) {
        put("</");
        put(HtmlNames::tagname(element_));
        out_.write(">", 1);
        if (!HtmlNames::isinline(element_))
            out_.write(kLineBreak, 2);
    }
    element_ = 0;
}

// Names go out in upper case.
void HtmlTag::put(const char* text) {
    char upper[32];
    std::size_t length = 0;
    for (; text[length] && length < sizeof upper; ++length)
        upper[length] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[length])));
    out_.write(upper, static_cast<int>(length));
}

void HtmlTag::putattr(const HtmlAttr& attr) {
    out_.write(" ", 1);
    put(HtmlNames::attrname(attr.attribute));
    if (attr.kind == HtmlAttr::None)
        return;
    out_.write("=", 1);
    if (attr.kind == HtmlAttr::Text) {
        const bool quoted = needsquotes(attr.text);
        if (quoted)
            out_.write("\"", 1);
        if (attr.text)
            out_.write(attr.text, static_cast<int>(std::strlen(attr.text)));
        if (quoted)
            out_.write("\"", 1);
        return;
    }
    char digits[16];
    const int length =
        attr.kind == HtmlAttr::Signed
            ? std::snprintf(digits, sizeof digits, "%s%d", attr.number >= 0 ? "+" : "", attr.number)
            : std::snprintf(digits, sizeof digits, "%u", static_cast<unsigned>(attr.number));
    out_.write(digits, length);
}

} // namespace qx
