#include "workers/CheckThread.h"

#include "lang/Language.h"
#include "model/Charset.h"
#include "net/RetryAfter.h"
#include "net/StatusCallbackData.h"
#include "net/httpwstreambuf.h"
#include "net/iurlwstream.h"
#include "platform/SystemError.h"

#include <cstdint>
#include <ctime>
#include <string>

namespace qx {

namespace {

// The leading text of the worker's status line.
constexpr unsigned kCheckingText = 9242;
// Binary transfer, reload through caches, no cache writes: a check must see
// the server's own answer.
constexpr std::uint32_t kCheckOpenFlags =
    openflag::Reload | openflag::NoCacheWrite | openflag::Binary;
// The wParam of a check's end message.
constexpr platform::WParam kCheckEnd = 1;

} // namespace

CheckThread::CheckThread(platform::MessageTarget* window, const Str& url, CheckNode* node,
                         const platform::SystemTime& date, const Options& options,
                         const Language* language)
    : CheckWorker(window, url, node), date_(date), language_(language),
      prefix_((language ? language->text(kCheckingText) : std::string()) + std::string(url.view())),
      session_(std::make_unique<MyInternetSession>(options)) {
    // A check starts without waiting for its transfer to report anything, so
    // the thread window may show its row before the first status arrives.
    setStatusLine(prefix_.view());
}

CheckThread::~CheckThread() = default;

int CheckThread::Run() {
    std::string header;
    if (date_.year != 0) {
        const std::string date = platform::formatHttpDate(date_);
        if (!date.empty())
            header = "If-Modified-Since: " + date + "\r\n";
    }
    StatusCallbackData status;
    status.worker = this;
    status.prefix = prefix_;
    status.language = language_;
    int result = 0;
    {
        iurlwstream in(session_->OpenUrl(Url().c_str(), reinterpret_cast<std::uintptr_t>(&status),
                                         kCheckOpenFlags,
                                         header.empty() ? nullptr : header.c_str()));
        if (!in.good()) {
            result = platform::lastError();
        } else if (in.IsHttp()) {
            in.QueryStatusCode(httpStatus_);
            in.QueryMovedUrl(movedTo_);
            if (httpStatus_ != 304) {
                result = -1;
                ReadHeaders(in);
                if (httpStatus_ < 400)
                    result = 0;
            }
        }
    }
    PostEnd(kCheckEnd);
    return result;
}

void CheckThread::ReadHeaders(const iurlwstream& in) {
    if (httpStatus_ >= 400) {
        Str wait;
        std::int64_t seconds = 0;
        if ((httpStatus_ == 429 || httpStatus_ == 503) &&
            in.QueryInfoText(query::RetryAfter, wait) &&
            RetryAfterSeconds(wait.view(), std::time(nullptr), seconds))
            retryAfter_ = seconds;
        return;
    }
    std::uint32_t length = 0;
    if (in.QueryInfoNumber(query::ContentLength, length) && length <= INT32_MAX)
        contentLength_ = static_cast<std::int32_t>(length);
    Str type;
    if (in.QueryInfoText(query::ContentType, type)) {
        Str media;
        Charset::parsecontenttype(type.view(), media, charset_);
    }
    lastModifiedObtained_ = in.QueryInfoTime(query::LastModified, date_);
}

void CheckThread::Stop() {
    CheckWorker::Stop();
    session_->Close();
}

} // namespace qx
