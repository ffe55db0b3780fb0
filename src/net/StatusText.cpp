#include "net/StatusText.h"

#include "lang/Language.h"
#include "net/InternetStatus.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace qx {

namespace {

constexpr std::uint32_t kIndicatorWidth = 10;
constexpr std::string_view kMiddleDot = "\xC2\xB7";

std::string_view infoText(const void* info, std::uint32_t length) {
    std::string_view text(static_cast<const char*>(info), info ? length : 0);
    while (!text.empty() && text.back() == '\0')
        text.remove_suffix(1);
    return text;
}

template <typename... Args>
std::string message(const Language* language, unsigned id, const Args&... args) {
    return language ? language->format(id, args...) : std::string();
}

} // namespace

std::string ProgressIndicator(std::uint32_t& counter, std::uint32_t wrapAbove) {
    if (++counter > wrapAbove)
        counter = 0;
    const std::uint32_t bars = std::min(counter, kIndicatorWidth);
    std::string text(bars, '|');
    for (std::uint32_t i = bars; i < kIndicatorWidth; ++i)
        text += kMiddleDot;
    return text;
}

std::string StatusText(const Language* language, std::uint32_t& counter, std::uint32_t wrapAbove,
                       std::uint32_t code, const void* info, std::uint32_t length) {
    switch (code) {
    case status::ResolvingName:
        return message(language, 40102, infoText(info, length));
    case status::NameResolved:
        return message(language, 40103, infoText(info, length));
    case status::ConnectingToServer:
        return message(language, 40105, infoText(info, length));
    case status::ConnectedToServer:
        return message(language, 40108, infoText(info, length));
    case status::SendingRequest:
        return message(language, 40107);
    case status::RequestSent:
        return message(language, 40106);
    case status::ReceivingResponse:
        return message(language, 40109) + ProgressIndicator(counter, wrapAbove);
    case status::ResponseReceived:
        return message(language, 40110);
    case status::ClosingConnection:
        return message(language, 40111, 0);
    case status::ConnectionClosed:
        return message(language, 40112, 0);
    case status::HandleCreated:
        return message(language, 40104, 0);
    case status::HandleClosing:
        return message(language, 40113, 0);
    case status::RequestComplete:
        if (info && length == sizeof(AsyncResult)) {
            AsyncResult result;
            std::memcpy(&result, info, sizeof result);
            return message(language, 40114, result.result, result.error);
        }
        return message(language, 40118);
    case status::Redirect:
        return message(language, 40115, infoText(info, length));
    default:
        return message(language, 40116, code);
    }
}

} // namespace qx
