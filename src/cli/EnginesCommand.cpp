#include "cli/EnginesCommand.h"

#include "DefinitionFile.h"
#include "lang/Language.h"
#include "lang/ProgramFolder.h"
#include "search/EngineTable.h"
#include "search/SearchModule.h"
#include "search/WSearchInfo.h"

#include <qsearch/WebSearch.h>

#include <cstdio>
#include <cstdlib>

namespace qx::cli {

namespace {

enum { Try, Max, ModulePath, Check };

// The slots the program can ask for: every position of the engine mask, and 0
// (a bit that names no engine) that a file may still define.
constexpr int kLastSlot = EngineTable::kPositions;

const char* kindName(qsearch::ResponseKind kind) {
    switch (kind) {
    case qsearch::ResponseKind::Json:
        return "json";
    case qsearch::ResponseKind::Html:
        return "html";
    case qsearch::ResponseKind::Feed:
        return "feed";
    }
    return "";
}

std::vector<DefinedEngine> defined(const qsearch::DefinitionSet& set) {
    std::vector<DefinedEngine> out;
    if (!set.fileBroken) {
        for (const auto& [number, definition] : set.engines)
            out.push_back({number, definition.name});
    }
    return out;
}

void list(const qsearch::DefinitionSet& set) {
    EngineTable table;
    table.setdefinitions(defined(set));
    for (int slot = 0; slot <= kLastSlot; ++slot) {
        const std::uint16_t bit = slot ? static_cast<std::uint16_t>(1u << (slot - 1)) : 0;
        const std::string& name = table.name(bit);
        const auto found = set.engines.find(slot);
        if (name.empty() && found == set.engines.end() && !set.broken.count(slot))
            continue;
        std::printf("%2d  %-14s ", slot, name.empty() ? "-" : name.c_str());
        if (set.fileBroken || set.broken.count(slot))
            std::printf("broken definition\n");
        else if (found == set.engines.end())
            std::printf("no definition\n");
        else
            std::printf("%-4s %s\n", kindName(found->second.kind), found->second.url.c_str());
    }
}

// The mistakes of the files read; true when there was any.
bool report(const std::vector<const qsearch::DefinitionFile::Source*>& sources, bool check) {
    std::size_t count = 0;
    for (const qsearch::DefinitionFile::Source* source : sources) {
        count += source->messages.size();
        if (!check)
            continue;
        for (const qsearch::DefinitionMessage& message : source->messages)
            std::fprintf(stderr, "%s:%d: %s\n", source->path.c_str(), message.line,
                         message.text.c_str());
    }
    if (count && !check)
        std::printf("%zu mistakes in the definitions: qxseek-cli engines --check tells them\n",
                    count);
    return count != 0;
}

int listengines(const Args& args, bool check) {
    if (!args.empty()) {
        qsearch::DefinitionFile::Source file{args[0], true, {}};
        std::string text;
        if (!qsearch::DefinitionFile::readText(file.path, text))
            return fail("cannot read " + file.path);
        const qsearch::DefinitionSet set = qsearch::DefinitionReader::read(text, file.messages);
        std::printf("definitions: %s\n", file.path.c_str());
        list(set);
        return report({&file}, check) && check ? 1 : 0;
    }
    // As the module reads them: the program folder's file, the user's over it.
    const qsearch::DefinitionFile::Merged merged =
        qsearch::DefinitionFile::loadMerged(ProgramFolder::current());
    if (!merged.shipped.read && !merged.user.read) {
        if (check)
            return fail("cannot read " + merged.shipped.path);
        std::printf("%s: none; every engine answers \"no definition\"\n",
                    merged.shipped.path.c_str());
        return 0;
    }
    std::vector<const qsearch::DefinitionFile::Source*> sources;
    for (const qsearch::DefinitionFile::Source* source : {&merged.shipped, &merged.user}) {
        if (source->read) {
            std::printf("%s: %s\n", source == &merged.shipped ? "definitions" : "yours over them",
                        source->path.c_str());
            sources.push_back(source);
        }
    }
    list(merged.set);
    return report(sources, check) && check ? 1 : 0;
}

struct TryRun {
    std::int32_t total = -1;
};

std::int32_t printItem(const WSearchItem* item, void* context) {
    auto* run = static_cast<TryRun*>(context);
    const std::uint32_t level = WSearchInfo::countlevel(item->level);
    if (level == 0) {
        run->total = item->size;
        return 1;
    }
    const Str title = WSearchInfo::capped(item->title, WSearchInfo::kTextCap);
    const Str url = WSearchInfo::capped(item->url, WSearchInfo::kTextCap);
    char date[32] = "";
    if (item->date)
        std::snprintf(date, sizeof date, "%04u-%02u-%02u", item->date->year, item->date->month,
                      item->date->day);
    std::printf("%s%s\t%s\t%s\n", level > 1 ? "  " : "", title.c_str(), url.c_str(), date);
    return 1;
}

int tryengine(const Args& args, const std::vector<std::string>& values) {
    char* end = nullptr;
    const long engine = std::strtol(values[Try].c_str(), &end, 10);
    long max = 10;
    if (*end || engine < 0 || engine > kLastSlot)
        return fail("--try takes an engine number 0.." + std::to_string(kLastSlot));
    if (!values[Max].empty()) {
        max = std::strtol(values[Max].c_str(), &end, 10);
        if (*end || max < 1 || max > 1000)
            return fail("--max takes 1..1000");
    }
    std::string query;
    for (const std::string& word : args)
        query += (query.empty() ? "" : " ") + word;
    if (query.empty())
        return fail("the query is empty");
    const std::string folder = ProgramFolder::current();
    const std::string path =
        values[ModulePath].empty() ? folder + "/qsearch.so" : values[ModulePath];
    const std::shared_ptr<const SearchModule> module = SearchModule::load(path);
    WebSearchFunction entry = module ? module->entry() : nullptr;
    if (!entry)
        return fail("cannot load the search module " + path);
    TryRun run;
    WSearchParam param{};
    param.query = query.c_str();
    param.exclude = "";
    param.max = static_cast<std::int32_t>(max);
    param.engine = static_cast<std::int32_t>(engine);
    param.result = printItem;
    param.resultContext = &run;
    param.stopEvent = -1;
    param.accessType = WSEARCH_ACCESS_PRECONFIG;
    param.proxy = "";
    const std::int32_t result = entry(&param);
    if (result != WSEARCH_OK) {
        Language language(folder);
        std::string code = "enu";
        language.load(code);
        std::printf("error %d: %s\n", result, language.errorText(result).c_str());
        return 1;
    }
    std::printf("total %d\n", run.total);
    return std::fflush(stdout) == 0 ? 0 : fail("cannot write the results");
}

int runengines(const Args& args, const std::vector<std::string>& values) {
    if (!values[Try].empty())
        return tryengine(args, values);
    if (args.size() > 1)
        return fail("engines takes one FILE");
    return listengines(args, !values[Check].empty());
}

} // namespace

Command enginescommand() {
    return {
        "engines",
        "[--check] [FILE] | --try N [--max M] [--module PATH] QUERY...",
        "list the search module's engines, check their definitions, try one",
        "Lists the engine slots and the definition each has: qsearch.json beside the\n"
        "program, with the user's ~/.config/qxseek/qsearch.json laid over it per\n"
        "engine number (FILE alone when given). With --check every mistake of the\n"
        "files (unknown keys, bad XPath, bad templates) is reported as FILE:LINE: text,\n"
        "and the exit code is 1 when there is any. --try N runs engine N once for\n"
        "the query (at most M results, default 10) through the search module and\n"
        "prints title, address and date per result, then the total or the error\n"
        "(exit 1): how to test a definition against the live service.",
        0,
        -1,
        {"--try", "--max", "--module"},
        runengines,
        {"--check"},
    };
}

} // namespace qx::cli
