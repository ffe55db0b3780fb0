#pragma once

#include "net/ActiveNode.h"
#include "platform/FileTime.h"
#include "stream/Str.h"
#include "workers/ThreadBase.h"

#include <cstdint>

namespace qx {

struct Options;

// Downloads one URL into a file, unless the file it is compared with (the
// reference file) is at least as new as the server's copy: the conditional
// download that keeps the search module and its page current. The session is
// its own (the ActiveNode part); its end message carries wParam 1.
//
// Result codes: 0 downloaded, or not modified (HttpStatus 304); -1 an HTTP
// status of 400 or more; -2 nothing received; -3 the answer was longer than
// the size limit (the partial file is deleted); 1223 stopped; 112 disk full;
// otherwise the system error of the failed open, read or write.
class GetFileThread : public ActiveNode, public ThreadBase {
public:
    // A reference file no larger than this counts as missing.
    static constexpr std::uint64_t kTinyReference = 10;
    // The server's Last-Modified may be this much later than the reference
    // file and still count as not modified (file systems round times).
    static constexpr platform::FileTime kSlack = 2 * 10'000'000ULL;
    static constexpr int kNotModified = 304;
    static constexpr int kNothingReceived = -2;
    static constexpr int kTooLarge = -3;

    // window gets the end message; reference may be empty (always download);
    // sizeLimit caps the bytes written (0: no cap), so that an answer that
    // never ends cannot fill the disk.
    GetFileThread(platform::MessageTarget* window, const Options& options, const Str& url,
                  const Str& target, const Str& reference, std::uint64_t sizeLimit = 0);

    // Thread::Start, then a wait of at most 5000 ms for the session's first
    // handle or the end of the worker; then the priority becomes below normal.
    bool Start();
    int Run() override;
    // Also closes the session, so that a transfer blocked on a silent server
    // returns at once instead of at its time-out.
    void Stop() override;

    // Read them after the end message: the worker writes them before.
    const Str& Url() const { return url_; }
    int HttpStatus() const { return httpStatus_; }
    const Str& MediaType() const { return mediaType_; }
    std::uint32_t Charset() const { return charset_; }

private:
    // The "If-Modified-Since" header line for the reference file, or empty
    // (and the reference cleared) when it is missing or tiny.
    Str ConditionHeader();
    int Download(iwstream& source, bool knowsModified, platform::FileTime modified);

    Str url_;
    const Str target_;
    const std::uint64_t sizeLimit_;
    Str reference_;
    platform::FileTime referenceTime_ = 0;
    int httpStatus_ = 0;
    Str mediaType_;
    std::uint32_t charset_ = 0;
};

} // namespace qx
