#pragma once

#include <string>
#include <string_view>

namespace qx {

// Reads HTML of any bytes with libxml2's forgiving parser and hands its
// events to the class below in document order, without building a tree: a
// file may nest as deep as it likes.
class HtmlSax {
public:
    virtual ~HtmlSax() = default;
    // False when no parser could be made or there are no bytes; the events
    // came otherwise, as many as the bytes gave.
    bool read(std::string_view bytes);

    // Element names compare without case.
    static bool named(const char* name, const char* what);
    // The value of an attribute of a start tag (name, value pairs, then null),
    // without surrounding blanks; empty when missing.
    static std::string attribute(const char** attrs, const char* name);
    static std::string trimmed(std::string_view text);

protected:
    virtual void start(const char* name, const char** attrs) = 0;
    virtual void end(const char* name) = 0;
    virtual void text(std::string_view text) = 0;

private:
    static void onstart(void* context, const unsigned char* name, const unsigned char** attrs);
    static void onend(void* context, const unsigned char* name);
    static void ontext(void* context, const unsigned char* bytes, int length);
};

} // namespace qx
