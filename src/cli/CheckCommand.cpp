#include "cli/CheckCommand.h"

#include "cli/ErrorText.h"
#include "cli/InterruptibleRun.h"
#include "cli/ProgramSettings.h"
#include "exchange/OrganizerPath.h"
#include "lang/Language.h"
#include "lang/OptionLabelTexts.h"
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

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace qx::cli {

namespace {

enum { Jobs, PerHost, Only, SaveEvery, List };

constexpr long kDefaultSaveSeconds = 30;

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

// The references --only names: "unchecked" those without a check state,
// "failed" those an error or a missing page left.
bool onlyfilter(const std::string& word, Checker::Filter& filter) {
    if (word.empty())
        filter = nullptr;
    else if (word == "unchecked")
        filter = [](const Ref& node) { return (node.flags() & Ref::kCheckState) == 0; };
    else if (word == "failed")
        filter = [](const Ref& node) {
            return node.hasflags(Ref::CheckError | Ref::CheckNotFound);
        };
    else
        return false;
    return true;
}

void progress(const CheckList& checks, std::size_t total) {
    std::size_t pending = 0;
    for (CheckNode* check = checks.First(); check; check = check->Next())
        pending += check->GetState() != CheckNode::Done;
    std::fprintf(stderr, "\rchecked %zu of %zu", total - pending, total);
}

int runcheck(const Args& args, const std::vector<std::string>& values) {
    const ApplicationProfile profile(ProgramSettings::path());
    Options options;
    options.load(profile);
    long jobs = options.checkThreads, perhost = options.checksPerHost;
    long saveSeconds = kDefaultSaveSeconds;
    if (!number(values[Jobs], 1, Options::kMostCheckThreads, jobs) ||
        !number(values[PerHost], 0, 256, perhost) ||
        !number(values[SaveEvery], 1, 86400, saveSeconds))
        return usageerror("--jobs takes 1..256, --per-host 0..256 and --save-every 1..86400",
                          "check");
    Checker::Filter wanted;
    if (!onlyfilter(values[Only], wanted))
        return usageerror("--only takes unchecked or failed", "check");
    const std::string& path = args[0];
    const std::string folder = ProgramFolder::current();
    Language language(folder);
    std::string code = "enu";
    language.load(code);
    // Pages whose charset the check learns are labelled as in the window.
    const OptionLabelTexts labels(language, options);
    DDoc doc;
    doc.setlabeltexts(&labels);
    if (int result = loadDocument(path, doc))
        return fail("cannot open " + path + ": " + documentfailure(result));
    std::vector<Ref*> tops;
    for (std::size_t i = 1; i < args.size(); ++i) {
        Ref* node = OrganizerPath::find(doc, args[i]);
        if (!node)
            return fail("no such folder, saved search or reference: " + args[i]);
        tops.push_back(node);
    }

    options.checkThreads = static_cast<int>(jobs);
    options.checksPerHost = static_cast<int>(perhost);
    JobLoop loop(options, profile);
    Checker checker(doc, loop.Board(), language, options);
    std::map<std::string, std::string> moved;
    checker.SetMovedListener([&moved](const Str& url, const Str& to) {
        moved[std::string(url.view())] = std::string(to.view());
    });
    if (tops.empty()) {
        checker.CheckSubtree(doc.orgroot(), wanted);
        checker.CheckSubtree(doc.domainroot(), wanted);
    }
    for (Ref* top : tops)
        checker.CheckSubtree(*top, wanted);
    const std::vector<UrlRef*> pages = queued(doc, loop.Board().Checks());

    InterruptibleRun run;
    run.saveEvery = std::chrono::seconds(saveSeconds);
    run.save = [&] { InterruptibleRun::saveProgress(path, doc); };
    const bool terminal = platform::standardErrorIsTerminal();
    if (terminal)
        run.tick = [&] { progress(loop.Board().Checks(), pages.size()); };
    // Checks still running stop and leave their references as they were.
    run.stop = [&] { loop.Board().StopChecking(); };
    const platform::InterruptSignals::Kind signal = run.run(loop);
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
            const std::string url(page ? page->props().url.view() : std::string_view());
            std::printf("%s\t%s\t%s", state, url.c_str(), page ? page->props().status.c_str() : "");
            if (const auto to = moved.find(url); to != moved.end())
                std::printf("\tmoved to %s", to->second.c_str());
            std::printf("\n");
        }
    }
    std::printf("unchanged %d\tchanged %d\tnot found %d\terror %d\tskipped %d\n", counts[0],
                counts[1], counts[2], counts[3], counts[4]);
    if (std::fflush(stdout) != 0)
        return fail("cannot write the summary");
    if (signal != platform::InterruptSignals::Kind::None) {
        std::fprintf(stderr, "qxseek-cli: interrupted; the finished checks are saved\n");
        return platform::InterruptSignals::exitCode(signal);
    }
    return 0;
}

} // namespace

Command checkcommand() {
    return {
        "check",
        "FILE [--jobs N] [--per-host N] [--only unchecked|failed] [--save-every S] [--list] "
        "[PATH...]",
        "check the references of a document for changes and breakage",
        "Asks each web server whether a reference is still there and whether it\n"
        "changed since its stored date (one request with If-Modified-Since, headers\n"
        "only), marks the references as the program does and saves the document.\n"
        "Without PATH: every reference of the organizer and every confirmed page of\n"
        "the domain tree, each address once. PATH: the organizer subtree at those\n"
        "node names separated by \"/\" (folders, saved searches, references), as\n"
        "add --folder writes them; a PATH that does not exist is an error.\n"
        "--only unchecked: only references without a check state; --only failed: only\n"
        "those an earlier check left with an error or not found.\n"
        "Settings come from the program's settings file (qxseek.INI beside the\n"
        "program, or ~/.config/qxseek/): the proxy (UseProxy, ProxyAdr, ProxyPort),\n"
        "CheckThreads and ChecksPerHost. --jobs N: checks at a time (default the\n"
        "setting CheckThreads, 32); --per-host N: checks at a time against one host\n"
        "(default the setting ChecksPerHost, 4; 0 no limit). A server answering 429\n"
        "or 503 with Retry-After of at most 120 seconds is asked again after that\n"
        "wait, at most twice.\n"
        "The document is saved every S seconds (--save-every, default 30) and at the\n"
        "end. Ctrl+C (SIGINT) or SIGTERM stops the checks, saves every answer that\n"
        "came and leaves the others as they were; the exit status is then 130 or 143.\n"
        "Prints one summary line (unchanged, changed, not found, error, skipped);\n"
        "--list first prints one line per page: new state, address, error text, and\n"
        "\"moved to\" the final address when permanent redirects (301, 308) led there.\n"
        "Exits with 0 when the run completed, whatever the links said.",
        1,
        -1,
        {"--jobs", "--per-host", "--only", "--save-every"},
        runcheck,
        {"--list"},
    };
}

} // namespace qx::cli
