#include "cli/Commands.h"

#include "cli/CheckCommand.h"
#include "cli/EnginesCommand.h"
#include "cli/ErrorText.h"
#include "cli/ExchangeCommands.h"
#include "cli/HostOrder.h"
#include "cli/KeptDocument.h"
#include "cli/SearchCommand.h"
#include "cli/StdoutStreamBuf.h"
#include "cli/VersionCommand.h"
#include "exchange/PageFiling.h"
#include "model/Container.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/DocumentFormat.h"
#include "model/DomainRef.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "stream/ifbwstream.h"
#include "stream/otwstream.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>

namespace qx::cli {

bool load(const std::string& path, DDoc& doc) {
    int result = loadDocument(path, doc);
    if (result != 0) {
        fail("cannot open " + path + ": " + documentfailure(result));
    }
    return result == 0;
}

namespace {

// Loads a document to file into, its hosts sorted as the program sorts them
// after opening: by the --sort-hosts word (empty: the program's setting).
// False, with the failure reported, when it cannot.
bool loadtofile(const std::string& path, DDoc& doc, const std::string& sorthosts,
                const char* command, int& code) {
    int type = HostOrder::fromsettings();
    if (!sorthosts.empty() && !HostOrder::parse(sorthosts, type)) {
        code = usageerror(std::string(HostOrder::kOption) + " takes name, host or count, not " +
                              sorthosts,
                          command);
        return false;
    }
    doc.setsortservers(type);
    code = 1;
    if (!load(path, doc))
        return false;
    doc.sorthosts();
    return true;
}

int save(const std::string& path, DDoc& doc) {
    int result = saveDocument(path, doc);
    return result == 0 ? 0 : fail("cannot save " + path + ": " + documentfailure(result));
}

std::string trimmed(const std::string& line) {
    const char* blanks = " \t\r\n";
    std::string::size_type first = line.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(blanks) - first + 1);
}

int runnew(const Args& args, const std::vector<std::string>&) {
    const std::string& path = args[0];
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return fail("cannot create " + path + ": the file exists");
    }
    KeptDocument keptdoc;
    DDoc& doc = *keptdoc;
    return save(path, doc);
}

int rundump(const Args& args, const std::vector<std::string>&) {
    KeptDocument keptdoc;
    DDoc& doc = *keptdoc;
    if (!load(args[0], doc)) {
        return 1;
    }
    StdoutStreamBuf buf;
    otwstream out(&buf);
    doc.container().dump(out);
    doc.orgroot().dumptree(out, 0);
    doc.domainroot().dumptree(out, 0);
    if (!out.good() || !buf.flush()) {
        return fail("cannot write the dump: " + std::string(std::strerror(errno)));
    }
    return 0;
}

int runfile(const Args& args, const std::vector<std::string>& values) {
    KeptDocument keptdoc;
    DDoc& doc = *keptdoc;
    if (int code = 0; !loadtofile(args[0], doc, values[0], "file", code)) {
        return code;
    }
    Args urls(args.begin() + 1, args.end());
    if (urls.size() == 1 && urls[0] == "-") {
        urls.clear();
        for (std::string line; std::getline(std::cin, line);) {
            if (std::string url = trimmed(line); !url.empty()) {
                urls.push_back(url);
            }
        }
    }
    // Every address is filed or none is: a bad one leaves the file as it was.
    for (const std::string& url : urls) {
        Object* page = PageFiling::filepage(doc, url);
        if (!page) {
            return fail("cannot file " + url + ": not an address with a host");
        }
        page->addflags(Object::Confirmed);
    }
    return save(args[0], doc);
}

// The folder at a path of names separated by "/", made where missing.
Ref& folderat(DDoc& doc, const std::string& path) {
    Ref* folder = &doc.orgroot();
    std::string::size_type from = 0;
    while (from <= path.size()) {
        std::string::size_type slash = path.find('/', from);
        if (slash == std::string::npos) {
            slash = path.size();
        }
        std::string name = path.substr(from, slash - from);
        from = slash + 1;
        if (name.empty()) {
            continue;
        }
        Ref* found = nullptr;
        for (Node* n = folder->first(); n && !found; n = n->next()) {
            auto* child = dynamic_cast<OrgRef2*>(n);
            if (child && !child->target() && child->name().view() == name) {
                found = child;
            }
        }
        folder = found ? found : &doc.createfolder(Str(name), *folder, nullptr);
    }
    return *folder;
}

int runadd(const Args& args, const std::vector<std::string>& values) {
    const std::string& folderpath = values[0];
    const std::string& title = values[1];
    KeptDocument keptdoc;
    DDoc& doc = *keptdoc;
    if (int code = 0; !loadtofile(args[0], doc, values[2], "add", code)) {
        return code;
    }
    const std::string& url = args[1];
    Object* page = PageFiling::filepage(doc, url);
    if (!page) {
        return fail("cannot add " + url + ": not an address with a host");
    }
    if (!title.empty() && page->props().title.view() != title) {
        ObjectProp props = page->props();
        props.title = Str(title);
        doc.setobjectprops(*page, props);
    }
    doc.createresult(page, nullptr, folderat(doc, folderpath), nullptr, false);
    return save(args[0], doc);
}

int runconvert(const Args& args, const std::vector<std::string>&) {
    KeptDocument keptdoc;
    DDoc& doc = *keptdoc;
    if (!load(args[0], doc)) {
        return 1;
    }
    return save(args[1], doc);
}

int runmerge(const Args& args, const std::vector<std::string>& values) {
    KeptDocument keptinto;
    DDoc& into = *keptinto;
    KeptDocument keptfrom;
    DDoc& from = *keptfrom;
    if (int code = 0; !loadtofile(args[0], into, values[0], "merge", code)) {
        return code;
    }
    if (!load(args[1], from)) {
        return 1;
    }
    // As a paste does: the pages are filed in INTO's domain tree, so that
    // every page of the document has its node there.
    into.pasteinto(from, into.orgroot());
    return save(args[0], into);
}

// The version field of a document file (the document itself says nothing of
// the form it was read from).
std::uint32_t fileversion(const std::string& path) {
    ifbwstream in(path.c_str(), DocumentFormat::kMagicSize + 4);
    char magic[DocumentFormat::kMagicSize];
    std::uint32_t version = 0;
    in.read(magic, DocumentFormat::kMagicSize);
    in.get32(version);
    return version;
}

const char* classof(const Ref& node) {
    if (dynamic_cast<const SearchRef*>(&node)) {
        return "SearchRef";
    }
    if (dynamic_cast<const OrgRef2*>(&node)) {
        return "OrgRef2";
    }
    if (dynamic_cast<const DomainRef*>(&node)) {
        return "DomainRef";
    }
    if (dynamic_cast<const UrlRef*>(&node)) {
        return "UrlRef";
    }
    return "Ref";
}

int runstats(const Args& args, const std::vector<std::string>&) {
    KeptDocument keptdoc;
    DDoc& doc = *keptdoc;
    if (!load(args[0], doc)) {
        return 1;
    }
    std::map<std::string, std::size_t> nodes{
        {"OrgRef2", 0}, {"SearchRef", 0}, {"DomainRef", 0}, {"UrlRef", 0}};
    for (RefRoot* root : {&doc.orgroot(), &doc.domainroot()}) {
        for (Tree* n = root->nextpreorder(root); n; n = n->nextpreorder(root)) {
            ++nodes[classof(*static_cast<Ref*>(n))];
        }
    }
    std::printf("version: %u\n", static_cast<unsigned>(fileversion(args[0])));
    std::printf("objects: %zu\n", doc.container().count());
    std::printf("hosts: %zu\n", doc.domainroot().count());
    for (const auto& [name, count] : nodes) {
        std::printf("%s: %zu\n", name.c_str(), count);
    }
    return std::fflush(stdout) == 0 ? 0 : fail("cannot write the figures");
}

const Command kCommands[] = {
    {"new",
     "FILE",
     "write an empty document",
     "Writes a new document without pages. An existing file is left alone.",
     1,
     1,
     {},
     runnew},
    {"dump",
     "FILE",
     "print the debug dump of a document",
     "Prints the container with every page, then the organizer tree and the domain\n"
     "tree, indented by depth.",
     1,
     1,
     {},
     rundump},
    {"file",
     "FILE [--sort-hosts ORDER] URL... | FILE -",
     "file addresses into the domain tree",
     "Files each address under its host and path in the domain tree, its page\n"
     "marked as confirmed, and saves the document in place. With - the addresses\n"
     "are read from the standard input, one a line. If any address cannot be filed\n"
     "the document is not changed.",
     2,
     -1,
     {HostOrder::kOption},
     runfile},
    {"add",
     "FILE [--folder PATH] [--title TITLE] [--sort-hosts ORDER] URL",
     "add a reference to the organizer tree",
     "Adds a reference to the address to the folder PATH of the organizer tree\n"
     "(folder names separated by \"/\", made where missing; the top when none) and\n"
     "files the address in the domain tree. TITLE becomes the page's title.",
     2,
     2,
     {"--folder", "--title", HostOrder::kOption},
     runadd},
    {"convert",
     "IN OUT",
     "rewrite a document in the current version",
     "Reads a document of any version and writes it to OUT in the current version.",
     2,
     2,
     {},
     runconvert},
    {"merge",
     "[--sort-hosts ORDER] INTO FROM",
     "merge the organizer tree of one document into another",
     "Copies every top-level node of FROM's organizer tree, with its subtree, to the\n"
     "end of INTO's organizer tree, files their addresses in INTO's domain tree\n"
     "(pages already in INTO are shared) and saves INTO.",
     2,
     2,
     {HostOrder::kOption},
     runmerge},
    {"stats",
     "FILE",
     "print counts of pages and nodes",
     "Prints the file's version, the number of pages (objects), of hosts, and of\n"
     "nodes of each class in both trees.",
     1,
     1,
     {},
     runstats},
    {"export-html",
     "[--sites] FILE OUT [PATH...]",
     "write references as an HTML page",
     "Writes the nodes at the organizer paths PATH (node names separated by \"/\",\n"
     "as add --folder makes them; every top-level node when none is given), with\n"
     "everything below them that is not hidden, as nested lists of titles and\n"
     "links in the HTML page OUT. Texts come from the language module.\n"
     "--sites writes the sites tree instead: hosts, the paths below them, pages.",
     2,
     -1,
     {},
     runexporthtml,
     {"--sites"}},
    {"export-shortcuts",
     "[--sites] FILE FOLDER [PATH...]",
     "write references as Internet shortcut files",
     "Writes the nodes at the organizer paths PATH (all top-level nodes when none)\n"
     "into FOLDER as .url files, the children of a node in a folder named after\n"
     "it. Folders are made where missing; files of the same name are replaced.\n"
     "--sites writes the sites tree instead: a folder per host and path.",
     2,
     -1,
     {},
     runexportshortcuts,
     {"--sites"}},
    {"import-bookmarks",
     "FILE BOOKMARKS",
     "add a browser bookmark file to the organizer tree",
     "Reads a bookmark file in the format browsers export (Netscape bookmark\n"
     "file) and adds its folders and bookmarks at the end of the organizer tree;\n"
     "the addresses are filed in the domain tree. Bookmarks without a host (such\n"
     "as javascript:) are skipped. Prints the counts and saves the document.",
     2,
     2,
     {},
     runimportbookmarks},
    {"export-bookmarks",
     "[--sites] FILE BOOKMARKS [PATH...]",
     "write references as a browser bookmark file",
     "Writes the nodes at the organizer paths PATH (all top-level nodes when none)\n"
     "as a bookmark file that browsers import: folders, bookmarks with their\n"
     "titles and dates, and comments as descriptions.\n"
     "--sites writes the sites tree instead: a folder per host and path.",
     2,
     -1,
     {},
     runexportbookmarks,
     {"--sites"}},
    {"version",
     "",
     "print the version, the program folder and the languages found",
     "Prints the tool's version, the folder it takes its modules from (links\n"
     "resolved) and each language module found there. Fails when there is none.",
     0,
     0,
     {},
     runversion},
    enginescommand(),
    searchcommand(),
    checkcommand(),
};

} // namespace

std::span<const Command> commands() {
    return kCommands;
}

} // namespace qx::cli
