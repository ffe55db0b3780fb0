#include "exchange/HtmlPage.h"

#include "exchange/ExportWalk.h"
#include "exchange/HtmlEscape.h"
#include "exchange/HtmlNames.h"
#include "exchange/HtmlOut.h"
#include "exchange/HtmlTag.h"
#include "exchange/WholeFile.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/Object.h"
#include "model/Ref.h"
#include "stream/ofbwstream.h"

#include <filesystem>
#include <optional>

namespace qx {

namespace {

using H = HtmlNames;

constexpr char kLineEnd[] = "\r\n";
constexpr std::string_view kNestedListStyle = "<STYLE>DL DL{margin-left:2em}</STYLE>\r\n";

void putline(owstream& out) {
    out.write(kLineEnd, 2);
}

// The fixed pieces of the lists, made once by the tag writer: the tags that
// always stand together are one piece.
struct ListTags {
    std::string list, listterm, endterm, endlist;
    // A definition: the address as a link (bare or quoted, as the tag writer
    // decides for it) or as text only.
    std::string startlink[2], linktext[2], endlink, starttext, endtext;

    ListTags() {
        std::string dt, enddt, dd, enddd, font, endfont, enda;
        HtmlTag::appendstart(list, H::Dl, {});
        HtmlTag::appendend(endlist, H::Dl);
        HtmlTag::appendstart(dt, H::Dt, {});
        HtmlTag::appendend(enddt, H::Dt);
        HtmlTag::appendstart(dd, H::Dd, {});
        HtmlTag::appendend(enddd, H::Dd);
        HtmlTag::appendstart(font, H::Font, {{H::Size, -1, true}});
        HtmlTag::appendend(endfont, H::Font);
        HtmlTag::appendend(enda, H::A);
        listterm = list + dt;
        endterm = kLineEnd + enddt;
        // The link's start tag, cut where its address goes: made with a
        // stand-in address, bare and quoted.
        for (const bool quoted : {false, true}) {
            std::string tag;
            const std::string_view mark = quoted ? "\x01 " : "\x01";
            HtmlTag::appendstart(tag, H::A, {{H::Href, std::string(mark).c_str()}});
            const std::size_t at = tag.find(mark);
            startlink[quoted] = dd + tag.substr(0, at);
            linktext[quoted] = tag.substr(at + mark.size()) + font;
        }
        endlink = endfont + enda + kLineEnd + enddd;
        starttext = dd + font;
        endtext = endfont + kLineEnd + enddd;
    }
};

// Writes the lists of one node: DL opens on entering a node and closes after
// its children, so nested nodes become nested lists.
class NodeWriter : public ExportVisitor {
public:
    NodeWriter(HtmlOut& out, CharsetConverter& converter) : out_(out), converter_(converter) {}

    int enter(const Ref& node) override {
        const Object* target = ExportWalk::pageof(node);
        if (!target) {
            term(node.name().view(), 0);
            return 0;
        }
        const ObjectProp& props = target->props();
        if (!props.title.empty())
            term(props.title.view(), props.charset);
        else
            out_.put(tags_.list);
        if (!props.url.empty())
            definition(props.url.view());
        return 0;
    }

    int leave(const Ref&) override {
        out_.put(tags_.endlist);
        return 0;
    }

private:
    // Opens the node's list with its term.
    void term(std::string_view text, std::uint32_t charset) {
        out_.put(tags_.listterm);
        out_.puttext(converter_, text, charset);
        out_.put(tags_.endterm);
    }

    void definition(std::string_view url) {
        href_.clear();
        HtmlEscape::appendconverted(converter_, url, 0, href_);
        // An address that would run script when followed is shown, not linked.
        if (HtmlEscape::safelink(url)) {
            const bool quoted = HtmlTag::needsquotes(href_.c_str());
            out_.put(tags_.startlink[quoted]);
            out_.put(href_);
            out_.put(tags_.linktext[quoted]);
            out_.put(href_);
            out_.put(tags_.endlink);
        } else {
            out_.put(tags_.starttext);
            out_.put(href_);
            out_.put(tags_.endtext);
        }
    }

    static inline const ListTags tags_;
    HtmlOut& out_;
    CharsetConverter& converter_;
    std::string href_;
};

} // namespace

HtmlPage::HtmlPage(const Language& language, std::string bannerfolder)
    : language_(language), bannerfolder_(std::move(bannerfolder)) {}

std::string HtmlPage::fileurl(const std::string& path) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '.' || c == '_' ||
                           c == '~';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url;
}

std::string HtmlPage::banner(const std::string& pagepath) {
    namespace fs = std::filesystem;
    std::error_code error;
    const std::string home = (fs::path(bannerfolder_) / kBannerName).string();
    if (fs::exists(home, error))
        return home;
    const std::string image = language_.resource("Norba", "ABITMAP");
    if (image.empty() || WholeFile::write(home, image) == 0)
        return home;
    const fs::path page = fs::absolute(pagepath, error);
    const std::string beside = (page.parent_path() / kBannerName).string();
    if (!fs::exists(beside, error))
        WholeFile::write(beside, image);
    return beside;
}

void HtmlPage::puttext(owstream& out, std::string_view text) {
    scratch_.clear();
    HtmlEscape::appendconverted(converter_, text, 0, scratch_);
    out.write(scratch_.data(), static_cast<int>(scratch_.size()));
}

platform::SysError HtmlPage::WriteHtmlPage(const std::string& path,
                                           std::span<const Ref* const> nodes) {
    ofbwstream out(path.c_str(), HtmlOut::kStreamBuffer);
    if (!out.good())
        return WholeFile::failure(platform::err::AccessDenied);
    const std::string home = HtmlEscape::escape(language_.text(text::HomePage));
    const std::string image = HtmlEscape::escape(fileurl(banner(path)));
    {
        HtmlTag html(out, H::Html);
        {
            HtmlTag head(out, H::Head);
            HtmlTag meta(
                out, H::Meta,
                {{H::HttpEquiv, "Content-Type"}, {H::Content, "text/html; charset=utf-8"}});
            {
                HtmlTag title(out, H::Title);
                puttext(out, language_.text(text::AppTitle));
                putline(out);
            }
            // A list inside a list is not indented by itself in every
            // browser: the hierarchy would read flat.
            out.write(kNestedListStyle.data(), static_cast<int>(kNestedListStyle.size()));
        }
        HtmlTag body(out, H::Body);
        {
            HtmlTag center(out, H::Center);
            {
                HtmlTag a(out, H::A, {{H::Href, home.c_str()}});
                HtmlTag img(out, H::Img, {{H::Src, image.c_str()}, {H::Border, 0, false}});
            }
            HtmlTag{out, H::P};
            puttext(out, language_.text(text::HtmlExportText));
            putline(out);
            HtmlTag{out, H::Br};
            {
                HtmlTag a(out, H::A, {{H::Href, home.c_str()}, {H::Target, "_new"}});
                puttext(out, language_.text(text::HtmlExportLink));
            }
            putline(out);
        }
        HtmlTag{out, H::Br};
        // The lists go out through a buffer of their own, in blocks the
        // stream passes on without copying once its own buffer is empty.
        out.flush();
        HtmlOut lists(out);
        for (const Ref* node : nodes)
            writenode(lists, *node);
    }
    if (out.close() != 0 || !out.good())
        return WholeFile::failure(platform::err::DiskFull);
    return 0;
}

void HtmlPage::WriteHtmlNode(owstream& out, const Ref& node) {
    HtmlOut lists(out);
    writenode(lists, node);
}

void HtmlPage::writenode(HtmlOut& out, const Ref& node) {
    NodeWriter writer(out, converter_);
    ExportWalk::walk(node, writer);
}

} // namespace qx
