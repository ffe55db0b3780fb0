#pragma once

#include "net/MyInternetSession.h"
#include "platform/DateTime.h"
#include "workers/CheckWorker.h"

#include <cstdint>
#include <memory>

namespace qx {

class Language;
class iurlwstream;
struct Options;

// One check of one address: a request with "If-Modified-Since" when the page
// has a date, whose status and headers are the whole answer (no body is
// read). The worker touches only its own fields and session; the document
// view applies what it found when the end message arrives.
class CheckThread : public CheckWorker {
public:
    // RetryAfter when the answer named no usable wait.
    static constexpr std::int64_t kNoRetryAfter = -1;

    CheckThread(platform::MessageTarget* window, const Str& url, CheckNode* node,
                const platform::SystemTime& date, const Options& options, const Language* language);
    ~CheckThread() override;

    // The exit code: 0 answered (status 0, 200 or 304 mean success), -1 an HTTP
    // answer that is not a success, else the failure's system error code.
    int Run() override;
    // Also closes the session, so that a request in progress fails at once.
    void Stop() override;

    // Read by the user-interface thread after the end message only.
    // The stored date on entry; the server's Last-Modified when obtained.
    const platform::SystemTime& Date() const { return date_; }
    bool LastModifiedObtained() const { return lastModifiedObtained_; }
    int HttpStatus() const { return httpStatus_; }
    // -1 when the answer did not say.
    std::int32_t ContentLength() const { return contentLength_; }
    std::uint32_t Charset() const { return charset_; }
    // A 429 or 503 answer's Retry-After in seconds, or kNoRetryAfter.
    std::int64_t RetryAfter() const { return retryAfter_; }
    // Where permanent redirects led; empty when the address did not move.
    const Str& MovedTo() const { return movedTo_; }

private:
    void ReadHeaders(const iurlwstream& in);

    platform::SystemTime date_;
    bool lastModifiedObtained_ = false;
    int httpStatus_ = 0;
    std::int32_t contentLength_ = -1;
    std::uint32_t charset_ = 0;
    std::int64_t retryAfter_ = kNoRetryAfter;
    Str movedTo_;
    const Language* language_;
    // "Checking " and the address: the row's text from the start, and the
    // head of every status line the transfer reports.
    Str prefix_;
    std::unique_ptr<MyInternetSession> session_;
};

} // namespace qx
