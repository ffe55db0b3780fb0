#pragma once

#include "Definition.h"
#include "qsearch/WebSearch.h"

#include <cstdint>

namespace qsearch {

// Codes of our own in the application range, with texts in the language
// modules: no definition for the engine, and a definition that is wrong.
inline constexpr std::int32_t kNoDefinition = WSEARCH_NO_DEFINITION;
inline constexpr std::int32_t kBrokenDefinition = 0x20000002;
// An engine answer that cannot be read as its definition says.
inline constexpr std::int32_t kUnreadableAnswer = 12152;
inline constexpr std::int32_t kStopped = 1223;

// One engine run: pages fetched in turn, results read, cleaned, numbered and
// handed out until the wanted number or the engine's last page (one that is
// short, empty, or brings nothing new).
class SearchRun {
public:
    static constexpr int kMaxWanted = 1000;

    SearchRun(const WSearchParam& param, const Definition& definition, const DefinitionSet& set)
        : param_(param), definition_(definition), set_(set) {}

    // The result of WebSearch.
    std::int32_t run();

private:
    const WSearchParam& param_;
    const Definition& definition_;
    const DefinitionSet& set_;
};

} // namespace qsearch
