#include "cli/SearchCommand.h"

#include "cli/ErrorText.h"
#include "cli/InterruptibleRun.h"
#include "cli/ProgramSettings.h"
#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "lang/OptionLabelTexts.h"
#include "lang/ProgramFolder.h"
#include "model/DDoc.h"
#include "model/DocumentFile.h"
#include "model/SearchRef.h"
#include "search/EngineTable.h"
#include "search/QuietSearchSide.h"
#include "search/SearchModule.h"
#include "search/WebSearches.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "workers/Checker.h"
#include "workers/JobLoop.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

namespace qx::cli {

namespace {

enum { Engines, Max, Mode, Exclude, ModulePath, Check };

// The one question a search asks (reuse the saved search?) is answered OK,
// and every box is said on the standard error.
class StderrBoxes : public MessageBoxer {
public:
    int show(const std::string& text, const std::string& caption, unsigned style) override {
        std::cerr << "qxseek-cli: " << caption << ": " << text;
        if ((style & mb::ButtonMask) == mb::OkCancel) {
            std::cerr << " OK";
        }
        std::cerr << '\n';
        return mb::IdOk;
    }
};

// Words joined by single blanks.
std::string normalised(const std::string& text) {
    std::istringstream in(text);
    std::string out;
    for (std::string word; in >> word;) {
        out += (out.empty() ? "" : " ") + word;
    }
    return out;
}

bool number(const std::string& text, long low, long high, long& value) {
    if (text.empty()) {
        return true;
    }
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return *end == '\0' && value >= low && value <= high;
}

std::string enginename(const EngineTable& table, std::uint16_t bit) {
    const std::string& name = table.name(bit);
    return name.empty() ? "engine " + std::to_string(bit) : name;
}

int runsearch(const Args& args, const std::vector<std::string>& values) {
    FindInfo request;
    long engines = 0, max = request.max, mode = request.queryMode;
    if (!number(values[Engines], 1, 0xFFFF, engines) || !number(values[Max], 1, 1000, max) ||
        !number(values[Mode], 0, 3, mode)) {
        return fail("--engines takes a mask of 1..0xFFFF, --max 1..1000, --mode 0..3");
    }
    std::string query;
    for (std::size_t i = 1; i < args.size(); ++i) {
        query += args[i] + " ";
    }
    request.query = Str(normalised(query));
    if (request.query.empty()) {
        return fail("the query is empty");
    }
    request.max = static_cast<std::int32_t>(max);
    request.queryMode = static_cast<std::int32_t>(mode);
    request.exclude = Str(normalised(values[Exclude]));
    request.check = !values[Check].empty();

    const std::string& path = args[0];
    const std::string folder = ProgramFolder::current();
    Language language(folder);
    std::string code = "enu";
    language.load(code);
    const ApplicationProfile profile(ProgramSettings::path());
    Options options;
    options.load(profile);
    // The saved search and its results are named as the window names them.
    const OptionLabelTexts labels(language, options);
    DDoc doc;
    doc.setlabeltexts(&labels);
    if (int result = loadDocument(path, doc)) {
        return fail("cannot open " + path + ": " + documentfailure(result));
    }
    const std::string modulepath =
        values[ModulePath].empty() ? folder + "/qsearch.so" : values[ModulePath];
    std::shared_ptr<const SearchModule> module = SearchModule::load(modulepath);
    if (!module) {
        std::cerr << "qxseek-cli: cannot load the search module " << modulepath << '\n';
    }
    const EngineTable table = EngineTable::make(language, module.get());
    request.servers =
        values[Engines].empty() ? table.defaultmask() : static_cast<std::uint16_t>(engines);

    QuietSearchSide screen;
    StderrBoxes boxes;
    JobLoop jobs(options, profile);
    WebSearches searches(doc, jobs.Board(), jobs.Waits(), screen, language, boxes, options, table,
                         module);
    // --check: new results are checked in the same run.
    Checker checker(doc, jobs.Board(), language, options);
    doc.setworkers(&searches);
    SearchRef* search = searches.Run().start(request);
    InterruptibleRun run;
    run.save = [&] { InterruptibleRun::saveProgress(path, doc); };
    // The engines still running stop; their searches keep what they filed.
    run.stop = [&] {
        jobs.Board().StopAll();
        jobs.Board().StopChecking();
    };
    const platform::InterruptSignals::Kind signal = run.run(jobs);
    doc.setworkers(nullptr);
    if (int result = saveDocument(path, doc)) {
        return fail("cannot save " + path + ": " + documentfailure(result));
    }
    const SearchProp& prop = search->searchprop();
    // A saved search that was reused keeps records of engines not asked now.
    bool answered = false;
    for (const ServerInfoNode* n = prop.serverinfo.first(); n;
         n = static_cast<const ServerInfoNode*>(n->next())) {
        std::printf("%s\tfound %d\tadded %d\t%s\n", enginename(table, n->info.server).c_str(),
                    n->info.found, n->info.added, n->info.error.c_str());
        answered = answered || ((n->info.server & request.servers) && n->info.error.empty());
    }
    std::printf("total %u\tadded %u\tbroken %u\n", prop.total, prop.added, prop.broken);
    if (std::fflush(stdout) != 0) {
        return fail("cannot write the records");
    }
    if (signal != platform::InterruptSignals::Kind::None) {
        std::cerr << "qxseek-cli: interrupted; the results that came are saved\n";
        return platform::InterruptSignals::exitCode(signal);
    }
    return answered ? 0 : fail("no engine answered");
}

} // namespace

Command searchcommand() {
    return {
        "search",
        "FILE [--engines MASK] [--max N] [--mode M] [--exclude WORDS] [--check] [--module PATH] "
        "QUERY...",
        "run a web search into a document",
        "Runs the query on each engine of MASK (default: every engine the module\n"
        "defines; 39, Aport, Rambler, Yandex, Yahoo, for a module that does not say)\n"
        "through the search module (qsearch.so beside the program, or PATH),\n"
        "files the results under the saved search of that query (reused when there\n"
        "is one) and saves the document. --check queues a check of every new result.\n"
        "Proxy, maxthreads, CheckThreads and ChecksPerHost come from the program's\n"
        "settings file. The document is saved every 30 seconds and at the end; Ctrl+C\n"
        "(SIGINT) or SIGTERM stops the engines, saves what they filed and exits with\n"
        "130 or 143.\n"
        "Prints each engine's record (found, added, error) and the search's totals;\n"
        "exits 1 when no engine answered.",
        2,
        -1,
        {"--engines", "--max", "--mode", "--exclude", "--module"},
        runsearch,
        {"--check"},
    };
}

} // namespace qx::cli
