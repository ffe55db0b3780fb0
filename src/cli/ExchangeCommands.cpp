#include "cli/ExchangeCommands.h"

#include "cli/Commands.h"
#include "cli/ErrorText.h"
#include "cli/KeptDocument.h"
#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "exchange/BookmarkPlacement.h"
#include "exchange/BrowserImport.h"
#include "exchange/BrowserProfiles.h"
#include "exchange/FavoritesExport.h"
#include "exchange/HtmlPage.h"
#include "exchange/OrganizerPath.h"
#include "exchange/XbelExport.h"
#include "exchange/XbelFormat.h"
#include "exchange/XbelImport.h"
#include "lang/Language.h"
#include "lang/OptionLabelTexts.h"
#include "lang/ProgramFolder.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/RefRoot.h"
#include "settings/Options.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace qx::cli {

namespace {

// The texts an export reads, as the window's would: the language module of
// the program folder (English unless another is the only one there) for the
// page's texts and banner and for the labels of the exported nodes.
struct ExportTexts {
    ExportTexts() {
        std::string code = Language::kFallbackCode;
        if (language.load(code) != 0)
            std::fprintf(stderr, "qxseek-cli: no language module in %s; exports have no texts\n",
                         language.programFolder().c_str());
    }

    Language language{ProgramFolder::current()};
    Options options;
    OptionLabelTexts labels{language, options};
};

// The document of the first argument and the nodes to export: with --sites
// (flag set) every host of the sites tree; else the nodes at the organizer
// paths after the second argument, or every top-level node of the organizer
// tree when there are none. False (reported) when the document cannot be
// read, a path names nothing, or there is nothing to export.
bool loadnodes(const Args& args, bool sites, const ExportTexts& texts, DDoc& doc,
               std::vector<const Ref*>& nodes) {
    constexpr std::size_t from = 2;
    if (sites && args.size() > from) {
        fail("--sites exports the whole sites tree and takes no PATH");
        return false;
    }
    doc.setlabeltexts(&texts.labels);
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

int savefigures(const std::string& path, DDoc& doc, const std::string& figures) {
    const int saved = saveDocument(path, doc);
    if (saved != 0)
        return fail("cannot save " + path + ": " + documentfailure(saved));
    std::fputs(figures.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : fail("cannot write the figures");
}

// An XBEL file, whole or not at all, at the end of the organizer tree.
int importxbel(const std::string& docpath, DDoc& doc, const std::string& file,
               std::string_view bytes) {
    BookmarkTree tree;
    if (XbelImport::read(bytes, tree) != XbelImport::Ok)
        return fail(file + " is not a whole XBEL file; nothing was imported");
    BookmarkPlacement placement(doc);
    placement.addall(tree, doc.orgroot());
    return savefigures(docpath, doc,
                       "folders: " + std::to_string(placement.folders()) +
                           "\nbookmarks: " + std::to_string(placement.bookmarks()) + "\nskipped: " +
                           std::to_string(tree.skipped() + placement.refused()) + "\n");
}

std::vector<BrowserProfile> profileshere() {
    const char* home = std::getenv("HOME");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return BrowserProfiles::find(home ? home : "", config ? config : "");
}

// What the exports to one file share: the chosen nodes of the document are
// handed to `write`, whose system error names the file that failed.
template <class Write>
int exportfile(const Args& args, const std::vector<std::string>& values, Write write) {
    const ExportTexts texts;
    DDoc doc;
    std::vector<const Ref*> nodes;
    if (!loadnodes(args, sitesflag(values), texts, doc, nodes))
        return 1;
    const platform::SysError result = write(texts, nodes);
    return result == 0 ? 0 : fail("cannot write " + args[1] + ": " + systemerrortext(result));
}

} // namespace

int runexporthtml(const Args& args, const std::vector<std::string>& values) {
    return exportfile(args, values,
                      [&](const ExportTexts& texts, const std::vector<const Ref*>& nodes) {
                          HtmlPage page(texts.language, texts.language.programFolder());
                          return page.WriteHtmlPage(args[1], nodes);
                      });
}

int runexportshortcuts(const Args& args, const std::vector<std::string>& values) {
    const ExportTexts texts;
    DDoc doc;
    std::vector<const Ref*> nodes;
    if (!loadnodes(args, sitesflag(values), texts, doc, nodes))
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
    if (XbelFormat::looksxbel(bytes.view()))
        return importxbel(args[0], doc, args[1], bytes.view());
    BookmarkImport import(doc);
    if (import.read(bytes.view(), doc.orgroot()) != BookmarkImport::Ok)
        return fail(args[1] + " is not a bookmark file");
    return savefigures(args[0], doc,
                       "folders: " + std::to_string(import.folders()) +
                           "\nbookmarks: " + std::to_string(import.bookmarks()) +
                           "\nskipped: " + std::to_string(import.skipped()) + "\n");
}

int runimportbrowser(const Args& args, const std::vector<std::string>& values) {
    const bool list = values[0] == "1";
    if (list ? !args.empty() : args.size() != 2)
        return usageerror(list ? "--list takes no arguments" : "give FILE and PROFILE",
                          "import-browser");
    const std::vector<BrowserProfile> known = profileshere();
    if (list) {
        for (const BrowserProfile& profile : known)
            std::printf("%s: %s\t%s\n", profile.browser.c_str(), profile.name.c_str(),
                        profile.file.c_str());
        return std::fflush(stdout) == 0 ? 0 : fail("cannot write the list");
    }
    KeptDocument keptdoc;
    DDoc& doc = *keptdoc;
    if (!load(args[0], doc))
        return 1;
    BrowserImport import;
    // A profile as the list names it, or a path.
    int result = -1;
    for (const BrowserProfile& profile : known) {
        if (result == -1 && profile.browser + ": " + profile.name == args[1])
            result = import.read(profile);
    }
    if (result == -1)
        result = import.read(args[1], known);
    if (result != BrowserImport::Ok)
        return fail(import.message() + "; nothing was imported");
    import.place(doc);
    return savefigures(args[0], doc,
                       "folder: " + import.foldername() +
                           "\nadded: " + std::to_string(import.added()) +
                           "\npresent: " + std::to_string(import.present()) +
                           "\nskipped: " + std::to_string(import.skipped()) + "\n");
}

int runexportbookmarks(const Args& args, const std::vector<std::string>& values) {
    return exportfile(args, values, [&](const ExportTexts&, const std::vector<const Ref*>& nodes) {
        return BookmarkExport().write(args[1], nodes);
    });
}

int runexportxbel(const Args& args, const std::vector<std::string>& values) {
    return exportfile(args, values, [&](const ExportTexts&, const std::vector<const Ref*>& nodes) {
        return XbelExport().write(args[1], nodes);
    });
}

} // namespace qx::cli
