#include "cli/ExchangeCommands.h"

#include "cli/Commands.h"
#include "cli/ErrorText.h"
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/FavoritesExport.h"
#include "exchange/HtmlPage.h"
#include "exchange/OrganizerPath.h"
#include "lang/Language.h"
#include "lang/ProgramFolder.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/RefRoot.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace qx::cli {

namespace {

// The document of the first argument and the nodes to export: with --sites
// (flag set) every host of the sites tree; else the nodes at the organizer
// paths after the second argument, or every top-level node of the organizer
// tree when there are none. False (reported) when the document cannot be
// read, a path names nothing, or there is nothing to export.
bool loadnodes(const Args& args, bool sites, DDoc& doc, std::vector<const Ref*>& nodes) {
    constexpr std::size_t from = 2;
    if (sites && args.size() > from) {
        fail("--sites exports the whole sites tree and takes no PATH");
        return false;
    }
    if (!load(args[0], doc))
        return false;
    if (sites || args.size() <= from) {
        const Ref& root = sites ? static_cast<const Ref&>(doc.domainroot()) : doc.orgroot();
        for (const Tree* n = root.firstchild(); n; n = n->nextsibling())
            nodes.push_back(static_cast<const Ref*>(n));
        if (nodes.empty()) {
            fail(sites ? "the sites tree of " + args[0] + " is empty"
                       : "the organizer tree of " + args[0] +
                             " is empty; --sites exports the pages by host");
            return false;
        }
        return true;
    }
    for (std::size_t i = from; i < args.size(); ++i) {
        const Ref* node = OrganizerPath::find(doc, args[i]);
        if (!node) {
            fail("no node at " + args[i] + " in the organizer tree");
            return false;
        }
        if (node == &doc.orgroot()) {
            for (Tree* n = node->firstchild(); n; n = n->nextsibling())
                nodes.push_back(static_cast<const Ref*>(n));
        } else {
            nodes.push_back(node);
        }
    }
    return true;
}

bool sitesflag(const std::vector<std::string>& values) {
    return !values.empty() && values[0] == "1";
}

// The language module the page takes its texts and banner from: the one of
// the program folder, English unless another is the only one there.
void loadlanguage(Language& language) {
    std::string code = Language::kFallbackCode;
    if (language.load(code) != 0)
        std::fprintf(stderr, "qxseek-cli: no language module in %s; the page has no banner texts\n",
                     language.programFolder().c_str());
}

} // namespace

int runexporthtml(const Args& args, const std::vector<std::string>& values) {
    DDoc doc;
    std::vector<const Ref*> nodes;
    if (!loadnodes(args, sitesflag(values), doc, nodes))
        return 1;
    Language language(ProgramFolder::current());
    loadlanguage(language);
    HtmlPage page(language, language.programFolder());
    const platform::SysError result = page.WriteHtmlPage(args[1], nodes);
    return result == 0 ? 0 : fail("cannot write " + args[1] + ": " + systemerrortext(result));
}

int runexportshortcuts(const Args& args, const std::vector<std::string>& values) {
    DDoc doc;
    std::vector<const Ref*> nodes;
    if (!loadnodes(args, sitesflag(values), doc, nodes))
        return 1;
    FavoritesExport shortcuts;
    for (const Ref* node : nodes) {
        if (const platform::SysError result = shortcuts.ExportNodeToFolder(args[1], *node))
            return fail("cannot write into " + args[1] + ": " + systemerrortext(result));
    }
    return 0;
}

int runimportbookmarks(const Args& args, const std::vector<std::string>&) {
    DDoc doc;
    if (!load(args[0], doc))
        return 1;
    std::ifstream file(args[1], std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (!file || !bytes)
        return fail("cannot read " + args[1]);
    BookmarkImport import(doc);
    if (import.read(bytes.view(), doc.orgroot()) != BookmarkImport::Ok)
        return fail(args[1] + " is not a bookmark file");
    const int saved = saveDocument(args[0], doc);
    if (saved != 0)
        return fail("cannot save " + args[0] + ": " + documentfailure(saved));
    std::printf("folders: %zu\nbookmarks: %zu\nskipped: %zu\n", import.folders(),
                import.bookmarks(), import.skipped());
    return std::fflush(stdout) == 0 ? 0 : fail("cannot write the figures");
}

int runexportbookmarks(const Args& args, const std::vector<std::string>& values) {
    DDoc doc;
    std::vector<const Ref*> nodes;
    if (!loadnodes(args, sitesflag(values), doc, nodes))
        return 1;
    BookmarkExport bookmarks;
    const platform::SysError result = bookmarks.write(args[1], nodes);
    return result == 0 ? 0 : fail("cannot write " + args[1] + ": " + systemerrortext(result));
}

} // namespace qx::cli
