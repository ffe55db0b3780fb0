#include "cli/EnginesCommand.h"

#include "DefinitionFile.h"
#include "search/EngineTable.h"

#include <cstdio>

namespace qx::cli {

namespace {

// The slots the program can ask for: every engine number of the table, and the
// numbers without an engine (0, 4) that a file may still define.
constexpr int kLastSlot = 8;

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

} // namespace

int runengines(const Args& args, const std::vector<std::string>& values) {
    const bool check = !values.at(0).empty();
    const std::string path = args.empty() ? qsearch::DefinitionFile::locate() : args[0];
    std::string text;
    if (!qsearch::DefinitionFile::readText(path, text)) {
        if (!args.empty() || check)
            return fail("cannot read " + path);
        std::printf("%s: none; every engine answers \"no definition\"\n", path.c_str());
        return 0;
    }
    std::vector<qsearch::DefinitionMessage> messages;
    const qsearch::DefinitionSet set = qsearch::DefinitionReader::read(text, messages);
    std::printf("definitions: %s\n", path.c_str());
    const int last = std::max(kLastSlot, set.engines.empty() ? 0 : set.engines.rbegin()->first);
    for (int slot = 0; slot <= last; ++slot) {
        const std::string name(EngineTable::name(EngineTable::bit(slot)));
        const auto found = set.engines.find(slot);
        const bool engine = !name.empty();
        if (!engine && found == set.engines.end() && !set.broken.count(slot))
            continue;
        std::printf("%2d  %-10s ", slot, engine ? name.c_str() : "-");
        if (set.fileBroken || set.broken.count(slot))
            std::printf("broken definition\n");
        else if (found == set.engines.end())
            std::printf("no definition\n");
        else
            std::printf("%-4s %s\n", kindName(found->second.kind), found->second.url.c_str());
    }
    if (messages.empty())
        return 0;
    if (!check) {
        std::printf("%zu mistakes in the file: qxseek-cli engines --check tells them\n",
                    messages.size());
        return 0;
    }
    for (const qsearch::DefinitionMessage& message : messages)
        std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), message.line, message.text.c_str());
    return 1;
}

} // namespace qx::cli
