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

void putline(owstream& out) {
    out.write(kLineEnd, 2);
}

// The fixed tags of the lists, made once by the tag writer.
struct ListTags {
    std::string dl, enddl, dt, enddt, dd, enddd, font, endfont, enda;

    ListTags() {
        HtmlTag::appendstart(dl, H::Dl, {});
        HtmlTag::appendend(enddl, H::Dl);
        HtmlTag::appendstart(dt, H::Dt, {});
        HtmlTag::appendend(enddt, H::Dt);
        HtmlTag::appendstart(dd, H::Dd, {});
        HtmlTag::appendend(enddd, H::Dd);
        HtmlTag::appendstart(font, H::Font, {{H::Size, -1, true}});
        HtmlTag::appendend(endfont, H::Font);
        HtmlTag::appendend(enda, H::A);
        // The link's start tag, cut where its address goes: made with a
        // stand-in address, bare and quoted, as the tag writer writes it.
        for (const bool quoted : {false, true}) {
            std::string tag;
            const std::string_view mark = quoted ? "\x01 " : "\x01";
            HtmlTag::appendstart(tag, H::A, {{H::Href, std::string(mark).c_str()}});
            const std::size_t at = tag.find(mark);
            link[quoted] = {tag.substr(0, at), tag.substr(at + mark.size())};
        }
    }

    std::pair<std::string, std::string> link[2];
};

// Writes the lists of one node: DL opens on entering a node and closes after
// its children, so nested nodes become nested lists.
class NodeWriter : public ExportVisitor {
public:
    NodeWriter(HtmlOut& out, CharsetConverter& converter) : out_(out), converter_(converter) {}

    int enter(const Ref& node) override {
        out_.put(tags_.dl);
        const Object* target = node.target();
        if (!target) {
            term(node.name().view(), 0);
            return 0;
        }
        const ObjectProp& props = target->props();
        if (!props.title.empty())
            term(props.title.view(), props.charset);
        if (!props.url.empty())
            definition(props.url.view());
        return 0;
    }

    int leave(const Ref&) override {
        out_.put(tags_.enddl);
        return 0;
    }

private:
    void term(std::string_view text, std::uint32_t charset) {
        out_.put(tags_.dt);
        out_.puttext(converter_, text, charset);
        out_.put(kLineEnd);
        out_.put(tags_.enddt);
    }

    void definition(std::string_view url) {
        out_.put(tags_.dd);
        href_.clear();
        HtmlEscape::appendconverted(converter_, url, 0, href_);
        // An address that would run script when followed is shown, not linked.
        const bool link = HtmlEscape::safelink(url);
        const auto& [before, after] = tags_.link[HtmlTag::needsquotes(href_.c_str())];
        if (link) {
            out_.put(before);
            out_.put(href_);
            out_.put(after);
        }
        out_.put(tags_.font);
        out_.put(href_);
        out_.put(tags_.endfont);
        if (link)
            out_.put(tags_.enda);
        out_.put(kLineEnd);
        out_.put(tags_.enddd);
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
            HtmlTag title(out, H::Title);
            puttext(out, language_.text(text::AppTitle));
            putline(out);
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
