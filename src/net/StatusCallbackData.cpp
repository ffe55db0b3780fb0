#include "net/StatusCallbackData.h"

#include "lang/Language.h"
#include "net/InternetStatus.h"
#include "net/StatusText.h"
#include "platform/StatusSink.h"

namespace qx {

namespace {
// The check worker's indicator shows 1 to 9 bars, then none.
constexpr std::uint32_t kCheckIndicatorWrap = 9;
} // namespace

void CheckStatusCallback(std::uintptr_t context, std::uint32_t code, const void* info,
                         std::uint32_t length) {
    // Requests opened with the session's default context (1) carry no data.
    if (context <= 1)
        return;
    auto* data = reinterpret_cast<StatusCallbackData*>(context);
    if (!data->worker || !data->language || !data->language->loaded())
        return;
    std::string line(data->prefix.view());
    line += ": ";
    line += StatusText(data->language, data->counter, kCheckIndicatorWrap, code, info, length);
    if (code == status::HandleCreated)
        data->worker->signalStarted();
    data->worker->setStatusLine(line);
    data->worker->wakeUi();
}

} // namespace qx
