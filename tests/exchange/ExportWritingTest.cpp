#include "ExchangeTestSupport.h"
#include "exchange/ExportWalk.h"
#include "exchange/HtmlEscape.h"
#include "exchange/HtmlOut.h"
#include "model/CharsetConverter.h"
#include "stream/mwstream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace qx {
namespace {

std::string bytesof(const mwstream& s) {
    return std::string(s.buffer().data(), static_cast<std::size_t>(s.buffer().size()));
}

// The escaping rule one byte at a time, to hold the block-wise copy against.
std::string escapedbytes(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '\t':
            out += "&#9;";
            break;
        case '\n':
            out += "&#10;";
            break;
        case '\f':
            out += "&#12;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

TEST(HtmlEscape, EveryByteAtEveryPlaceOfABlockAndItsTail) {
    for (int c = 0; c < 256; ++c) {
        for (std::size_t length : {1u, 15u, 16u, 17u, 31u, 33u}) {
            for (std::size_t at = 0; at < length; ++at) {
                std::string text(length, 'x');
                text[at] = static_cast<char>(c);
                std::string out(text.size() * HtmlEscape::kLongest, '\0');
                out.resize(
                    static_cast<std::size_t>(HtmlEscape::copy(text, out.data()) - out.data()));
                ASSERT_EQ(out, escapedbytes(text))
                    << "byte " << c << " at " << at << " of " << length;
            }
        }
    }
    // Appending escapes a long text in pieces and keeps what was there.
    std::string longtext;
    for (int i = 0; i < 3000; ++i)
        longtext += static_cast<char>(i % 128);
    std::string out = "kept";
    HtmlEscape::append(longtext, out);
    EXPECT_EQ(out, "kept" + escapedbytes(longtext));
}

TEST(HtmlOut, PiecesOfAnySizeReachTheStreamWholeAndInOrder) {
    mwstream stream;
    std::string expected;
    {
        HtmlOut out(stream);
        out.put("<P>");
        EXPECT_EQ(stream.buffer().size(), 0) << "bytes wait in the buffer";
        // Larger than the buffer; escaped text that grows past it; many small
        // pieces across its end.
        const std::string big(200 * 1024, 'b');
        out.put(big);
        const std::string amps(50 * 1024, '&');
        out.puttext(amps);
        for (int i = 0; i < 20000; ++i)
            out.puttext("a<b");
        expected = "<P>" + big + escapedbytes(amps);
        for (int i = 0; i < 20000; ++i)
            expected += "a&lt;b";
        out.flush();
        EXPECT_EQ(bytesof(stream), expected);
        out.put("</P>");
    }
    EXPECT_EQ(bytesof(stream), expected + "</P>") << "the rest goes out on destruction";
}

TEST(HtmlOut, PageBytesAreConvertedThenEscaped) {
    mwstream stream;
    CharsetConverter converter;
    {
        HtmlOut out(stream);
        out.puttext(converter, "\xCF\xF0\xE8\xE2\xE5\xF2 <1>", 1); // windows-1251
        out.puttext(converter, "a&\xFF", 0);                       // not UTF-8
    }
    EXPECT_EQ(bytesof(stream), "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 &lt;1&gt;"
                               "a&amp;\xEF\xBF\xBD");
}

// Records the walk as nested brackets of names.
class Recorder : public ExportVisitor {
public:
    int enter(const Ref& node) override {
        text += "(" + name(node);
        return 0;
    }
    int leave(const Ref&) override {
        text += ")";
        return 0;
    }
    static std::string name(const Ref& node) {
        return std::string(node.target() ? node.target()->props().title.view()
                                         : node.name().view());
    }
    std::string text;
};

void expectedwalk(const Ref& node, std::string& text) {
    if (node.hasflags(Ref::Hidden))
        return;
    text += "(" + Recorder::name(node);
    for (const Tree* child = node.firstchild(); child; child = child->nextsibling())
        expectedwalk(static_cast<const Ref&>(*child), text);
    text += ")";
}

TEST(ExportWalk, EveryVisibleNodeInOrderWhateverTheListsLookLike) {
    // Lists of every length up to a dozen, folders and references mixed,
    // hidden ones first, last and in runs, some with lists of their own.
    test::ExchangeDoc d;
    Ref& top = d.folder("top");
    int n = 0;
    long nodes = 1;
    for (int length = 0; length <= 12; ++length) {
        Ref& list = d.folder("list" + std::to_string(length), &top);
        nodes += 1 + length;
        for (int i = 0; i < length; ++i) {
            const std::string name = "n" + std::to_string(n++);
            Ref& node = i % 3 == 1 ? d.folder(name, &list)
                                   : d.reference(name, "https://h.example/" + name, &list);
            if ((i + length) % 4 == 0 || i == length - 1 || (length > 6 && i >= 3 && i <= 5))
                node.addflags(Ref::Hidden);
            if (i % 3 == 1) {
                for (int j = 0; j < i; ++j, ++nodes)
                    d.folder(name + "." + std::to_string(j), &node);
            }
        }
    }
    std::string expected;
    expectedwalk(top, expected);
    Recorder recorder;
    EXPECT_EQ(ExportWalk::walk(top, recorder), 0);
    EXPECT_EQ(recorder.text, expected);
    // The document has what the walk should meet: nested lists, hidden nodes.
    EXPECT_NE(expected.find(".0)"), std::string::npos);
    EXPECT_LT(std::count(expected.begin(), expected.end(), '('), nodes) << "some are hidden";

    top.addflags(Ref::Hidden);
    Recorder none;
    ExportWalk::walk(top, none);
    EXPECT_EQ(none.text, "");
}

} // namespace
} // namespace qx
