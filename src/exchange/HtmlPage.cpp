#include "exchange/HtmlPage.h"

#include "exchange/ExportWalk.h"
#include "exchange/HtmlEscape.h"
#include "exchange/HtmlNames.h"
#include "exchange/HtmlTag.h"
#include "exchange/WholeFile.h"
#include "lang/Language.h"
#include "lang/TextIds.h"
#include "model/Object.h"
#include "model/Ref.h"
#include "stream/ofbwstream.h"

#include <deque>
#include <filesystem>
#include <optional>

namespace qx {

namespace {

using H = HtmlNames;

// Large enough that a page of many thousand references goes out in few writes.
constexpr int kBufferSize = 64 * 1024;
constexpr char kLineEnd[] = "\r\n";

void putline(owstream& out) {
    out.write(kLineEnd, 2);
}

// Outside text as it may stand in the page: UTF-8, escaped.
const std::string& escaped(CharsetConverter& converter, std::string_view text,
                           std::uint32_t charset, std::string& scratch) {
    scratch.clear();
    HtmlEscape::appendconverted(converter, text, charset, scratch);
    return scratch;
}

void putescaped(owstream& out, CharsetConverter& converter, std::string_view text,
                std::uint32_t charset, std::string& scratch) {
    escaped(converter, text, charset, scratch);
    out.write(scratch.data(), static_cast<int>(scratch.size()));
}

// Writes the lists of one node: DL opens on entering a node and closes after
// its children, so nested nodes become nested lists.
class NodeWriter : public ExportVisitor {
public:
    NodeWriter(owstream& out, CharsetConverter& converter) : out_(out), converter_(converter) {}

    int enter(const Ref& node) override {
        lists_.emplace_back(out_, H::Dl);
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
        lists_.pop_back();
        return 0;
    }

private:
    void term(std::string_view text, std::uint32_t charset) {
        HtmlTag dt(out_, H::Dt);
        puttext(text, charset);
        putline(out_);
    }

    void definition(std::string_view url) {
        HtmlTag dd(out_, H::Dd);
        const std::string& href = escaped(converter_, url, 0, text_);
        {
            // An address that would run script when followed is shown, not linked.
            std::unique_ptr<HtmlTag> a;
            if (HtmlEscape::safelink(url))
                a = std::make_unique<HtmlTag>(
                    out_, H::A, std::initializer_list<HtmlAttr>{{H::Href, href.c_str()}});
            HtmlTag font(out_, H::Font, {{H::Size, -1, true}});
            out_.write(href.data(), static_cast<int>(href.size()));
        }
        putline(out_);
    }

    void puttext(std::string_view text, std::uint32_t charset) {
        putescaped(out_, converter_, text, charset, text_);
    }

    owstream& out_;
    CharsetConverter& converter_;
    std::string text_;
    std::deque<HtmlTag> lists_;
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
    putescaped(out, converter_, text, 0, scratch_);
}

platform::SysError HtmlPage::WriteHtmlPage(const std::string& path,
                                           std::span<const Ref* const> nodes) {
    ofbwstream out(path.c_str(), kBufferSize);
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
        for (const Ref* node : nodes)
            WriteHtmlNode(out, *node);
    }
    if (out.close() != 0 || !out.good())
        return WholeFile::failure(platform::err::DiskFull);
    return 0;
}

void HtmlPage::WriteHtmlNode(owstream& out, const Ref& node) {
    NodeWriter writer(out, converter_);
    ExportWalk::walk(node, writer);
}

} // namespace qx
