#include "ItemEmitter.h"

#include <curl/curl.h>

#include <map>
#include <memory>

namespace qsearch {

namespace {

std::string hostOf(const std::string& url) {
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> parts(curl_url(), curl_url_cleanup);
    char* host = nullptr;
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK ||
        curl_url_get(parts.get(), CURLUPART_HOST, &host, 0) != CURLUE_OK)
        return {};
    std::string out(host);
    curl_free(host);
    return out;
}

} // namespace

bool ItemEmitter::send(const char* level, const std::string& title, const std::string& url,
                       const WSearchDate* date, std::int32_t size, std::uint16_t fitness) {
    WSearchItem item{level, title.c_str(), url.c_str(), date, "", size, fitness};
    return param_.result && param_.result(&item, param_.resultContext) != 0;
}

bool ItemEmitter::send(const char* level, const Result& result) {
    return send(level, result.title, result.url, result.dated ? &result.date : nullptr, result.size,
                result.fitness);
}

bool ItemEmitter::summary(std::int32_t hits) {
    return send("", std::string(), std::string(), nullptr, hits, 0);
}

bool ItemEmitter::page(const std::vector<Result>& results) {
    if (!groupByHost_) {
        for (const Result& result : results) {
            if (!send(":", result))
                return false;
        }
        return true;
    }
    // Hosts in the order of their first result; a host with one result on
    // the page needs no heading.
    std::vector<std::string> order;
    std::map<std::string, std::vector<const Result*>> byHost;
    for (const Result& result : results) {
        const std::string host = hostOf(result.url);
        auto& list = byHost[host];
        if (list.empty())
            order.push_back(host);
        list.push_back(&result);
    }
    for (const std::string& host : order) {
        const auto& list = byHost[host];
        if (list.size() == 1) {
            if (!send(":", *list.front()))
                return false;
            continue;
        }
        if (!send(":", host, std::string(), nullptr, 0, list.front()->fitness))
            return false;
        for (const Result* result : list) {
            if (!send("::", *result))
                return false;
        }
    }
    return true;
}

} // namespace qsearch
