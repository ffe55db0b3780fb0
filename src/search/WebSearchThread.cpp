#include "search/WebSearchThread.h"

#include "net/StatusCallbackData.h"
#include "platform/SystemError.h"
#include "search/SearchModule.h"
#include "workers/ThreadMessages.h"

#include <qsearch/WebSearch.h>

#include <algorithm>

namespace qx {

namespace {

std::int32_t resultcallback(const WSearchItem* item, void* context) {
    auto* worker = static_cast<WebSearchThread*>(context);
    return item ? worker->Deliver(*item) : (worker->IsRunning() ? 1 : 0);
}

// The module's status codes are the network layer's own.
void statuscallback(void* context, std::uint32_t status, const void* info, std::uint32_t length) {
    CheckStatusCallback(reinterpret_cast<std::uintptr_t>(context), status, info, length);
}

} // namespace

WebSearchThread::WebSearchThread(platform::MessageTarget* window, const FindInfo& request,
                                 std::uint16_t server, int engine, const std::string& name,
                                 std::shared_ptr<const SearchModule> module,
                                 const Language* language, bool useproxy, std::string proxy)
    : SearchWorker(window, request, server), engine_(engine), module_(std::move(module)),
      language_(language), useproxy_(useproxy), proxy_(std::move(proxy)),
      caption_(name + " \"" + std::string(request.query.view()) + "\"") {
    // The worker starts without waiting for the module's first report: its
    // row shows the engine and query until then.
    setStatusLine(caption_);
}

int WebSearchThread::Run() {
    StatusCallbackData status;
    status.worker = this;
    status.prefix = Str(caption_);
    status.language = language_;
    const FindInfo& request = Request();
    WSearchParam param{};
    param.query = request.query.c_str();
    param.queryMode = request.queryMode;
    param.exclude = request.exclude.c_str();
    param.max = request.max;
    param.engine = engine_;
    param.result = resultcallback;
    param.resultContext = this;
    param.status = statuscallback;
    param.statusContext = &status;
    param.stopEvent = StopEvent().fd();
    param.accessType = useproxy_ ? WSEARCH_ACCESS_PROXY : WSEARCH_ACCESS_PRECONFIG;
    param.proxy = proxy_.c_str();
    WebSearchFunction entry = nullptr;
    if (module_) {
        entry = module_->entry();
    } else {
        platform::setLastError(platform::err::ProcNotFound);
    }
    const int result = entry ? entry(&param) : platform::lastError();
    PostEnd(0);
    return result;
}

std::int32_t WebSearchThread::Deliver(const WSearchItem& item) {
    const std::uint32_t level = WSearchInfo::countlevel(item.level);
    if (level > 0 && !Accept(item)) {
        return IsRunning() ? 1 : 0;
    }
    if (level == 1) {
        ++results_;
    }
    const std::uint32_t server = engine_ ? Server() : 0;
    WSearchInfo info = WSearchInfo::fromitem(item, server, level, results_.load());
    if (level == 0) {
        hits_ = static_cast<std::uint32_t>(item.size);
    }
    if (!IsRunning()) {
        return 0;
    }
    if (queue_.Append(std::make_unique<WSearchNode>(std::move(info)))) {
        Post(threadMessages().page, 0);
    }
    return 1;
}

bool WebSearchThread::Accept(const WSearchItem& item) {
    // However many items a module sends, an engine files at most the wanted
    // number of results, and no more headings than that (a heading holds at
    // least one result).
    const auto wanted = static_cast<std::uint32_t>(std::clamp(Request().max, 1, kMaxWanted));
    const Str url = WSearchInfo::capped(item.url, WSearchInfo::kTextCap);
    std::uint32_t& count = url.empty() ? headings_ : withurl_;
    if (count >= wanted || (!url.empty() && !WSearchInfo::fileableurl(url.view()))) {
        return false;
    }
    ++count;
    return true;
}

} // namespace qx
