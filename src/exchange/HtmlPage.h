#pragma once

#include "model/CharsetConverter.h"
#include "platform/SystemError.h"

#include <span>
#include <string>

namespace qx {

class HtmlOut;
class Language;
class Ref;
class owstream;

// The HTML export: one page that lists nodes, with everything below them, as
// nested definition lists of names and links under a small banner. Every text
// and address is escaped, and titles are converted to UTF-8 from their page's
// charset, so that whatever a page title holds stays text.
class HtmlPage {
public:
    static constexpr const char* kBannerName = "norba.gif";

    // bannerfolder: where the banner is kept (the program folder).
    HtmlPage(const Language& language, std::string bannerfolder);

    // Writes the page for the nodes: 0, or the system error when the file
    // could not be made or written.
    platform::SysError WriteHtmlPage(const std::string& path, std::span<const Ref* const> nodes);
    // The lists of one node and everything below it that is not hidden.
    void WriteHtmlNode(owstream& out, const Ref& node);

    // The banner file the page at this path shows: the one in the banner
    // folder, written there from the language module when missing; when that
    // folder cannot be written (an installed program), beside the page.
    std::string banner(const std::string& pagepath);

    // A file path as a "file://" address, with the bytes an address cannot
    // hold as they are percent-encoded.
    static std::string fileurl(const std::string& path);

private:
    void puttext(owstream& out, std::string_view text);
    void writenode(HtmlOut& out, const Ref& node);

    const Language& language_;
    std::string bannerfolder_;
    CharsetConverter converter_;
    std::string scratch_;
};

} // namespace qx
