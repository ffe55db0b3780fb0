#include "SearchRun.h"

#include "ItemEmitter.h"
#include "PageFetcher.h"
#include "PageReader.h"
#include "RequestBuilder.h"

#include <algorithm>

namespace qsearch {

std::int32_t SearchRun::run() {
    const int wanted = std::min(param_.max, kMaxWanted);
    if (wanted <= 0)
        return WSEARCH_OK;
    PageReader reader(definition_, wanted);
    if (!reader.valid())
        return kBrokenDefinition;
    const RequestBuilder request(definition_, param_.query ? param_.query : "", param_.queryMode,
                                 param_.exclude ? param_.exclude : "", wanted);
    PageFetcher fetcher(param_, {set_.connectTimeout, set_.stallTimeout, set_.totalTimeout});
    ItemEmitter emitter(param_, definition_.groupByHost);
    // Every page brings at least one new result or ends the run, so a run
    // asks for at most `wanted` pages.
    for (int pageIndex = 0; reader.delivered() < wanted; ++pageIndex) {
        Page page;
        const std::int32_t code =
            fetcher.fetch(request.address(pageIndex), definition_.headers, page);
        if (code != WSEARCH_OK)
            return code;
        std::vector<Result> results;
        std::int64_t total = -1;
        if (!reader.read(page, results, total))
            return kUnreadableAnswer;
        // The summary leads; an engine that gives no count gets the number of
        // results of its first page.
        if (pageIndex == 0 && !emitter.summary(static_cast<std::int32_t>(
                                  total >= 0 ? total : static_cast<std::int64_t>(results.size()))))
            return kStopped;
        if (results.empty())
            break;
        if (!emitter.page(results))
            return kStopped;
        // A page shorter than asked for is the engine's last.
        if (!request.pages() || reader.entries() < static_cast<std::size_t>(request.perPage()))
            break;
    }
    return WSEARCH_OK;
}

} // namespace qsearch
