#include "exchange/HtmlTag.h"

#include "exchange/HtmlNames.h"
#include "stream/owstream.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace qx {

namespace {

constexpr char kLineBreak[] = "\r\n";

std::string upper(const char* name) {
    std::string text(name);
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The names as they are written, made once: pages run to many thousand tags.
template <int Count, const char* (*Name)(int)> const std::string& uppername(int id) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all(Count + 1);
        for (int i = 1; i <= Count; ++i)
            all[i] = upper(Name(i));
        return all;
    }();
    return names[id >= 1 && id <= Count ? id : 0];
}

const std::string& tagname(int id) {
    return uppername<HtmlNames::kTagCount, HtmlNames::tagname>(id);
}

const std::string& attrname(int id) {
    return uppername<HtmlNames::kAttrCount, HtmlNames::attrname>(id);
}

// Each tag goes to the stream in one write, assembled here.
std::string& scratch() {
    thread_local std::string text;
    text.clear();
    return text;
}

void appendattr(std::string& tag, const HtmlAttr& attr) {
    tag += ' ';
    tag += attrname(attr.attribute);
    if (attr.kind == HtmlAttr::None)
        return;
    tag += '=';
    if (attr.kind == HtmlAttr::Text) {
        const bool quoted = HtmlTag::needsquotes(attr.text);
        if (quoted)
            tag += '"';
        if (attr.text)
            tag += attr.text;
        if (quoted)
            tag += '"';
        return;
    }
    char digits[16];
    char* end =
        attr.kind == HtmlAttr::Signed
            ? std::to_chars(digits, digits + sizeof digits, attr.number).ptr
            : std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(attr.number))
                  .ptr;
    if (attr.kind == HtmlAttr::Signed && attr.number >= 0)
        tag += '+';
    tag.append(digits, end);
}

void put(owstream& out, const std::string& text) {
    out.write(text.data(), static_cast<int>(text.size()));
}

} // namespace

HtmlTag::HtmlTag(owstream& out, int element) : HtmlTag(out, element, {}) {}

HtmlTag::HtmlTag(owstream& out, int element, std::initializer_list<HtmlAttr> attrs)
    : out_(out), element_(element) {
    std::string& tag = scratch();
    appendstart(tag, element, attrs);
    put(out_, tag);
}

HtmlTag::~HtmlTag() {
    close();
}

void HtmlTag::close() {
    std::string& tag = scratch();
    appendend(tag, element_);
    if (!tag.empty())
        put(out_, tag);
    element_ = 0;
}

bool HtmlTag::needsquotes(const char* text) {
    return !text || !*text || std::strpbrk(text, " ='<>") != nullptr;
}

void HtmlTag::appendstart(std::string& to, int element, std::initializer_list<HtmlAttr> attrs) {
    to += '<';
    to += tagname(element);
    for (const HtmlAttr& attr : attrs)
        appendattr(to, attr);
    to += '>';
    if (!HtmlNames::isinline(element))
        to += kLineBreak;
}

void HtmlTag::appendend(std::string& to, int element) {
    if (element == 0 || HtmlNames::isempty(element))
        return;
    to += "</";
    to += tagname(element);
    to += '>';
    if (!HtmlNames::isinline(element))
        to += kLineBreak;
}

} // namespace qx
