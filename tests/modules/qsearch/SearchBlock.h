#pragma once

#include "qsearch/WebSearch.h"

#include <string>

namespace qsearch::test {

// A parameter block for one run of engine as the program fills it: no stop
// event, no proxy, no callbacks yet. The texts must outlive the block.
inline WSearchParam searchBlock(int engine, const std::string& query, int max, int mode,
                                const std::string& exclude) {
    WSearchParam param{};
    param.query = query.c_str();
    param.queryMode = mode;
    param.exclude = exclude.c_str();
    param.max = max;
    param.engine = engine;
    param.stopEvent = -1;
    param.accessType = WSEARCH_ACCESS_PRECONFIG;
    param.proxy = "";
    return param;
}

} // namespace qsearch::test
