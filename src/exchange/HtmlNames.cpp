#include "exchange/HtmlNames.h"

#include <cstdint>

namespace qx {

namespace {

struct TagEntry {
    const char* name;
    std::uint8_t flags;
    std::uint8_t kind;
};

// Sorted by name; an element's id is its position counted from 1.
constexpr TagEntry kTags[HtmlNames::kTagCount] = {
    {"a", 3, 1},        {"abbr", 3, 2},       {"acronym", 3, 2},   {"address", 3, 7},
    {"applet", 3, 1},   {"area", 5, 1},       {"b", 3, 1},         {"base", 5, 1},
    {"basefont", 5, 1}, {"bdo", 3, 1},        {"bgsound", 1, 1},   {"big", 3, 1},
    {"blink", 3, 1},    {"blockquote", 3, 7}, {"body", 0, 18},     {"br", 1, 3},
    {"button", 3, 4},   {"caption", 3, 9},    {"center", 3, 3},    {"cite", 3, 2},
    {"code", 3, 2},     {"col", 5, 12},       {"colgroup", 1, 12}, {"comment", 3, 1},
    {"dd", 1, 6},       {"del", 3, 1},        {"dfn", 3, 2},       {"dir", 3, 7},
    {"div", 3, 3},      {"dl", 3, 7},         {"dt", 1, 6},        {"em", 3, 2},
    {"embed", 3, 7},    {"fieldset", 3, 1},   {"font", 3, 1},      {"form", 3, 3},
    {"frame", 5, 16},   {"frameset", 3, 17},  {"h1", 3, 8},        {"h2", 3, 8},
    {"h3", 3, 8},       {"h4", 3, 8},         {"h5", 3, 8},        {"h6", 3, 8},
    {"head", 0, 18},    {"hr", 5, 3},         {"html", 0, 19},     {"i", 3, 1},
    {"iframe", 3, 1},   {"image", 5, 1},      {"img", 5, 1},       {"input", 5, 4},
    {"ins", 3, 1},      {"isindex", 5, 1},    {"kbd", 3, 2},       {"label", 3, 4},
    {"legend", 3, 1},   {"li", 1, 6},         {"link", 5, 1},      {"listing", 3, 7},
    {"map", 3, 1},      {"marquee", 3, 7},    {"menu", 3, 7},      {"meta", 5, 1},
    {"nobr", 3, 1},     {"noframes", 3, 16},  {"noscript", 3, 1},  {"object", 3, 1},
    {"ol", 3, 7},       {"optgroup", 3, 4},   {"option", 1, 4},    {"p", 1, 5},
    {"param", 5, 1},    {"plaintext", 3, 7},  {"pre", 3, 7},       {"q", 3, 2},
    {"s", 3, 2},        {"samp", 3, 2},       {"script", 3, 1},    {"select", 3, 4},
    {"small", 3, 2},    {"span", 3, 1},       {"strike", 3, 2},    {"strong", 3, 2},
    {"style", 3, 1},    {"sub", 3, 2},        {"sup", 3, 2},       {"table", 3, 13},
    {"tbody", 0, 11},   {"td", 1, 9},         {"textarea", 3, 4},  {"tfoot", 1, 11},
    {"th", 1, 9},       {"thead", 1, 11},     {"title", 3, 7},     {"tr", 1, 10},
    {"tt", 3, 2},       {"u", 3, 2},          {"ul", 3, 7},        {"var", 3, 2},
    {"wbr", 1, 1},      {"xmp", 3, 7},
};

// Sorted; an attribute's id is its position counted from 1.
constexpr const char* kAttrs[HtmlNames::kAttrCount] = {
    "abbr",
    "accept",
    "acceptcharset",
    "accesskey",
    "action",
    "align",
    "alink",
    "alt",
    "archive",
    "axis",
    "background",
    "balance",
    "behavior",
    "bgcolor",
    "bgproperties",
    "border",
    "bordercolor",
    "bordercolordark",
    "bordercolorlight",
    "bottommargin",
    "cellpadding",
    "cellspacing",
    "char",
    "charoff",
    "charset",
    "checked",
    "cite",
    "class",
    "classid",
    "clear",
    "code",
    "codebase",
    "codetype",
    "color",
    "cols",
    "colspan",
    "compact",
    "content",
    "coords",
    "data",
    "datafld",
    "dataformatas",
    "datapagesize",
    "datasrc",
    "datetime",
    "declare",
    "defer",
    "dir",
    "direction",
    "disabled",
    "dynsrc",
    "enctype",
    "event",
    "face",
    "for",
    "frame",
    "frameborder",
    "framespacing",
    "headers",
    "height",
    "href",
    "hreflang",
    "hspace",
    "http-equiv",
    "id",
    "ismap",
    "label",
    "lang",
    "language",
    "leftmargin",
    "link",
    "longdesc",
    "loop",
    "lowsrc",
    "marginheight",
    "marginwidth",
    "maxlength",
    "media",
    "method",
    "methods",
    "multiple",
    "name",
    "nohref",
    "noresize",
    "noshade",
    "nowrap",
    "object",
    "onblur",
    "onchange",
    "onclick",
    "ondbclick",
    "onfocus",
    "onkeydown",
    "onkeypress",
    "onkeyup",
    "onload",
    "onmousedown",
    "onmousemove",
    "onmouseout",
    "onmouseover",
    "onmouseup",
    "onreset",
    "onselect",
    "onsubmit",
    "onunload",
    "profile",
    "prompt",
    "readonly",
    "rel",
    "rev",
    "rightmargin",
    "rows",
    "rowspan",
    "rules",
    "scheme",
    "scope",
    "scroll",
    "scrollamount",
    "scrolldelay",
    "scrolling",
    "selected",
    "shape",
    "size",
    "span",
    "src",
    "standby",
    "start",
    "style",
    "summary",
    "tabindex",
    "target",
    "text",
    "title",
    "topmargin",
    "truespeed",
    "type",
    "units",
    "url",
    "urn",
    "usemap",
    "valign",
    "value",
    "valuetype",
    "version",
    "vlink",
    "volume",
    "vspace",
    "width",
    "wrap",
};

} // namespace

const char* HtmlNames::tagname(int id) {
    return id >= 1 && id <= kTagCount ? kTags[id - 1].name : "";
}

int HtmlNames::tagflags(int id) {
    return id >= 1 && id <= kTagCount ? kTags[id - 1].flags : 0;
}

int HtmlNames::tagkind(int id) {
    return id >= 1 && id <= kTagCount ? kTags[id - 1].kind : 0;
}

bool HtmlNames::isempty(int id) {
    return (tagflags(id) & kEmptyElement) != 0;
}

bool HtmlNames::isinline(int id) {
    const int kind = tagkind(id);
    return kind == 1 || kind == 2;
}

const char* HtmlNames::attrname(int id) {
    return id >= 1 && id <= kAttrCount ? kAttrs[id - 1] : "";
}

} // namespace qx
