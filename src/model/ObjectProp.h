#pragma once

#include "platform/DateTime.h"
#include "stream/Str.h"

#include <cstdint>
#include <string>

namespace qx {

class LabelTexts;

class iwstream;
class owstream;

// The properties of one page. A plain record: copies duplicate the texts.
struct ObjectProp {
    // The text of the last failed check of the page.
    Str status;
    Str title;
    Str url;
    // Last-modified time of the page; year 0 when unknown.
    platform::SystemTime modified;
    // Charset code (0 unknown, 1 windows-1251 ... 5 iso8859-1); stored as a byte.
    std::uint32_t charset = 0;
    std::uint32_t size = 0;
    // One bit per search server that reported the page.
    std::uint16_t servers = 0;
    Str comment;

    // The properties of a search result: no status and no comment.
    static ObjectProp fromresult(const Str& title, const Str& url,
                                 const platform::SystemTime& modified, std::uint32_t charset,
                                 std::uint32_t size, std::uint16_t servers);

    // Stored form: status, title, url, modified (8 x 16 bits), size, two
    // reserved 16-bit zeros, charset (8 bits), servers, comment. The stream's
    // state tells whether it worked.
    void write(owstream& out) const;
    void read(iwstream& in);

    // What labels show after a page's title: " [" and the date as in
    // "06 Nov 1994 08:49" and "]" when the year is known; then " <", the name of
    // the charset and ">" when there is one (" <>" for a code above 5).
    // Appended to the text a label is being built in; the charset names come
    // from the texts given.
    void appendlabelsuffix(std::string& text, const LabelTexts& texts) const;
};

} // namespace qx
