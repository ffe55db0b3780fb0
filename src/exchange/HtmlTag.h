#pragma once

#include "exchange/HtmlAttr.h"

#include <initializer_list>
#include <string>

namespace qx {

class owstream;

// One open element: the start tag is written when the tag is made, the end
// tag when it goes out of scope, so nested tags close in reverse order. Names
// are upper case; block elements get a line break after each tag. Values are
// written as they stand: callers escape what came from outside.
class HtmlTag {
public:
    HtmlTag(owstream& out, int element);
    HtmlTag(owstream& out, int element, std::initializer_list<HtmlAttr> attrs);
    ~HtmlTag();
    HtmlTag(const HtmlTag&) = delete;
    HtmlTag& operator=(const HtmlTag&) = delete;

    // Writes the end tag now (none for empty elements); a tag closes once.
    void close();

    // The text of a start or end tag as the tag writes it, appended to to:
    // for writers that keep tags or put them into a buffer of their own.
    static void appendstart(std::string& to, int element, std::initializer_list<HtmlAttr> attrs);
    static void appendend(std::string& to, int element);
    // Whether an attribute's text is written in quotes: when it is empty or
    // holds a character that would end or break a bare value.
    static bool needsquotes(const char* text);

private:
    owstream& out_;
    int element_;
};

} // namespace qx
