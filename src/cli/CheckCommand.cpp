#include "cli/CheckCommand.h"

#include "cli/ErrorText.h"
#include "exchange/OrganizerPath.h"
#include "lang/Language.h"
#include "lang/ProgramFolder.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/Object.h"
#include "model/RefRoot.h"
#include "model/UrlRef.h"
#include "platform/FileSystem.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/Checker.h"
#include "workers/JobLoop.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace qx::cli {

namespace {

enum { Jobs, PerHost, List };

// How often the progress line is redrawn.
constexpr int kProgressMs = 250;

bool number(const std::string& text, long low, long high, long& value) {
    if (text.empty())
        return true;
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return *end == '\0' && value >= low && value <= high;
}

const char* statename(std::uint16_t flags) {
    switch (flags & Ref::kCheckState) {
    case Ref::CheckUnchanged:
        return "unchanged";
    case Ref::CheckChanged:
        return "changed";
    case Ref::CheckNotFound:
        return "not found";
    case Ref::CheckError:
        return "error";
    default:
        return "skipped";
    }
}

// The pages of the queued checks, in queue order, by their domain-tree nodes.
std::vector<UrlRef*> queued(DDoc& doc, const CheckList& checks) {
    std::vector<UrlRef*> nodes;
    for (CheckNode* check = checks.First(); check; check = check->Next()) {
        if (UrlRef* node = doc.finddomainnode(check->Url().view()))
            nodes.push_back(node);
    }
    return nodes;
}

void progress(const CheckList& checks, std::size_t total) {
    std::size_t pending = 0;
    for (CheckNode* check = checks.First(); check; check = check->Next())
        pending += check->GetState() != CheckNode::Done;
    std::fprintf(stderr, "\rchecked %zu of %zu", total - pending, total);
}

int runcheck(const Args& args, const std::vector<std::string>& values) {
    Options options;
    long jobs = options.maxThreads, perhost = -1;
    if (!number(values[Jobs], 1, 256, jobs) || !number(values[PerHost], 0, 256, perhost))
        return usageerror("--jobs takes 1..256 and --per-host 0..256", "check");
    const std::string& path = args[0];
    DDoc doc;
    if (int result = loadDocument(path, doc))
        return fail("cannot open " + path + ": " + documentfailure(result));
    std::vector<Ref*> tops;
    for (std::size_t i = 1; i < args.size(); ++i) {
        Ref* node = OrganizerPath::find(doc, args[i]);
        if (!node)
            return fail("no such folder, saved search or reference: " + args[i]);
        tops.push_back(node);
    }

    const std::string folder = ProgramFolder::current();
    Language language(folder);
    std::string code = "enu";
    language.load(code);
    options.maxThreads = static_cast<int>(jobs);
    ApplicationProfile profile(folder + "/qxseek.INI");
    JobLoop loop(options, profile);
    if (perhost >= 0)
        loop.Board().SetChecksPerHost(static_cast<int>(perhost));
    Checker checker(doc, loop.Board(), language, options);
    if (tops.empty()) {
        checker.CheckSubtree(doc.orgroot());
        checker.CheckSubtree(doc.domainroot());
    }
    for (Ref* top : tops)
        checker.CheckSubtree(*top);
    const std::vector<UrlRef*> pages = queued(doc, loop.Board().Checks());

    const bool terminal = platform::standardErrorIsTerminal();
    while (!loop.Run(terminal ? kProgressMs : platform::kInfinite))
        progress(loop.Board().Checks(), pages.size());
    if (terminal)
        std::fprintf(stderr, "\r\033[K");
    doc.commit();
    if (int result = saveDocument(path, doc))
        return fail("cannot save " + path + ": " + documentfailure(result));

    int counts[5] = {};
    const char* names[5] = {"unchanged", "changed", "not found", "error", "skipped"};
    for (UrlRef* node : pages) {
        const char* state = statename(node->flags());
        for (int i = 0; i < 5; ++i)
            counts[i] += names[i] == std::string_view(state);
        if (!values[List].empty()) {
            const Object* page = node->target();
            std::printf("%s\t%s\t%s\n", state, page ? page->props().url.c_str() : "",
                        page ? page->props().status.c_str() : "");
        }
    }
    std::printf("unchanged %d\tchanged %d\tnot found %d\terror %d\tskipped %d\n", counts[0],
                counts[1], counts[2], counts[3], counts[4]);
    return std::fflush(stdout) == 0 ? 0 : fail("cannot write the summary");
}

} // namespace

Command checkcommand() {
    return {
        "check",
        "FILE [--jobs N] [--per-host N] [--list] [PATH...]",
        "check the references of a document for changes and breakage",
        "Asks each web server whether a reference is still there and whether it\n"
        "changed since its stored date (one request with If-Modified-Since, headers\n"
        "only), marks the references as the program does and saves the document.\n"
        "Without PATH: every reference of the organizer and every confirmed page of\n"
        "the domain tree, each address once. PATH: the organizer subtree at those\n"
        "node names separated by \"/\" (folders, saved searches, references), as\n"
        "add --folder writes them; a PATH that does not exist is an error.\n"
        "--jobs N: checks at a time (default 10, as \"maxthreads\"); --per-host N:\n"
        "checks at a time against one host (default the setting ChecksPerHost, 4;\n"
        "0 no limit). A server answering 429 or 503 with Retry-After of at most 120\n"
        "seconds is asked again after that wait, at most twice.\n"
        "Prints one summary line (unchanged, changed, not found, error, skipped);\n"
        "--list first prints one line per page: new state, address, error text.\n"
        "Exits with 0 when the run completed, whatever the links said.",
        1,
        -1,
        {"--jobs", "--per-host"},
        runcheck,
        {"--list"},
    };
}

} // namespace qx::cli
