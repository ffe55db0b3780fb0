#pragma once

namespace qx {

// The element and attribute names the HTML writer knows, named by their
// position (from 1) in the two sorted tables. Writers never spell a tag.
class HtmlNames {
public:
    static constexpr int kTagCount = 102;
    static constexpr int kAttrCount = 149;
    // The flag of elements that never get an end tag.
    static constexpr int kEmptyElement = 4;

    // Element ids.
    enum Tag : int {
        A = 1,
        Body = 15,
        Br = 16,
        Center = 19,
        Dd = 25,
        Dl = 30,
        Dt = 31,
        Font = 35,
        Head = 45,
        Html = 47,
        Img = 51,
        Meta = 64,
        P = 72,
        Title = 95,
    };
    // Attribute ids.
    enum Attr : int {
        Border = 16,
        Content = 38,
        Href = 61,
        HttpEquiv = 64,
        Size = 123,
        Src = 125,
        Target = 131,
    };

    // The lower-case names; "" for an id outside the table.
    static const char* tagname(int id);
    static const char* attrname(int id);
    // Flags and layout kind of an element; 0 for an id outside the table.
    static int tagflags(int id);
    static int tagkind(int id);
    // No end tag is ever written.
    static bool isempty(int id);
    // Kinds 1 and 2: no line break follows the tags.
    static bool isinline(int id);
};

} // namespace qx
