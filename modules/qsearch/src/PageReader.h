#pragma once

#include "Definition.h"
#include "Extractor.h"
#include "ItemEmitter.h"
#include "LinkResolver.h"
#include "PageFetcher.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace qsearch {

// Turns the engine pages of one run into results ready to go out: read by the
// definition's rules, links resolved and unwrapped, duplicates of earlier
// results dropped, titles cleaned, dates and sizes read, fitness given, up to
// the wanted number over all pages.
class PageReader {
public:
    PageReader(const Definition& definition, int wanted);

    // False when the definition's rules cannot be used (an XPath expression
    // that does not compile).
    bool valid() const { return extractor_ != nullptr; }

    // The results of the next page, and the engine's hit count as the page
    // gives it (-1 when it gives none). False when the page cannot be read.
    bool read(const Page& page, std::vector<Result>& results, std::int64_t& total);

    // The results handed out so far.
    int delivered() const { return delivered_; }
    // The entries the last page held, duplicates and unusable links included:
    // fewer than asked for means it was the engine's last.
    std::size_t entries() const { return entries_; }

private:
    const Definition& definition_;
    int wanted_;
    std::unique_ptr<Extractor> extractor_;
    LinkResolver links_;
    std::set<std::string> seen_;
    int delivered_ = 0;
    std::size_t entries_ = 0;
};

} // namespace qsearch
