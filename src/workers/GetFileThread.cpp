#include "workers/GetFileThread.h"

#include "model/Charset.h"
#include "net/CInternetSession.h"
#include "net/httpwstreambuf.h"
#include "net/iurlwstream.h"
#include "platform/DateTime.h"
#include "platform/File.h"
#include "platform/SystemError.h"
#include "stream/fwstreambuf.h"
#include "stream/owstream.h"

#include <cstdio>
#include <string>

namespace qx {

namespace {

constexpr int kBelowNormal = -1;
constexpr int kFirstHttpError = 400;
constexpr std::uint32_t kDownloadFlags = openflag::Reload | openflag::Binary;
// The ThreadBase part reports nothing: the download sends no byte counts.
constexpr std::uint32_t kNoReports = 0;

// The size of a file, or false when it cannot be opened.
bool fileSize(const char* path, std::uint64_t& size) {
    const platform::FileHandle file = platform::openFileForReading(path);
    if (file == platform::kInvalidFile)
        return false;
    const std::int64_t end = platform::seekFile(file, 0, 2);
    platform::closeFile(file);
    if (end < 0)
        return false;
    size = static_cast<std::uint64_t>(end);
    return true;
}

} // namespace

GetFileThread::GetFileThread(platform::MessageTarget* window, const Options& options,
                             const Str& url, const Str& target, const Str& reference,
                             std::uint64_t sizeLimit)
    : ActiveNode(options), ThreadBase(window, kNoReports), url_(url), target_(target),
      sizeLimit_(sizeLimit), reference_(reference) {}

bool GetFileThread::Start() {
    return StartAndWait(HandleCreated(), kBelowNormal);
}

void GetFileThread::Stop() {
    ThreadBase::Stop();
    Close();
}

Str GetFileThread::ConditionHeader() {
    if (reference_.empty())
        return {};
    std::uint64_t size = 0;
    platform::SystemTime when;
    if (!fileSize(reference_.c_str(), size) || size <= kTinyReference ||
        !platform::fileModificationTime(reference_.c_str(), &referenceTime_) ||
        !platform::fileTimeToSystemTime(referenceTime_, when)) {
        reference_.clear();
        return {};
    }
    return Str("If-Modified-Since: " + platform::formatHttpDate(when) + "\r\n");
}

int GetFileThread::Run() {
    httpStatus_ = 0;
    int result = 0;
    const Str header = ConditionHeader();
    iurlwstream in(OpenUrl(url_.c_str(), 1, kDownloadFlags, header.get(),
                           static_cast<std::int32_t>(header.length())));
    if (in.state() & wstream::badbit) {
        result = static_cast<int>(FailureCode());
    } else {
        Str final;
        if (in.QueryFinalUrl(final))
            url_ = final;
        bool knowsModified = false;
        platform::FileTime modified = 0;
        bool download = true;
        if (in.IsHttp()) {
            in.QueryStatusCode(httpStatus_);
            if (httpStatus_ == kNotModified) {
                download = false;
            } else if (httpStatus_ >= kFirstHttpError) {
                result = -1;
                download = false;
            } else {
                Str type;
                if (in.QueryInfoText(query::ContentType, type))
                    Charset::parsecontenttype(type.view(), mediaType_, charset_);
                platform::SystemTime lastModified;
                knowsModified = in.QueryInfoTime(query::LastModified, lastModified) &&
                                platform::systemTimeToFileTime(lastModified, modified);
                if (knowsModified && !reference_.empty() && httpStatus_ == 200 &&
                    referenceTime_ + kSlack >= modified) {
                    httpStatus_ = kNotModified;
                    download = false;
                }
            }
        }
        if (download)
            result = Download(in, knowsModified, modified);
    }
    // A stop also explains a failure it caused.
    if (!IsRunning())
        result = static_cast<int>(platform::err::Cancelled);
    PostEnd(1);
    return result;
}

int GetFileThread::Download(iwstream& source, bool knowsModified, platform::FileTime modified) {
    ofwstreambuf file(target_.c_str(), true);
    if (!file.isopen())
        return static_cast<int>(FailureCode());
    owstream out(&file);
    CopyResult copy = CopyStream(source, out, sizeLimit_);
    // A close that fails may have lost written bytes: a write error.
    if (file.close() != 0 && copy.outcome == CopyComplete) {
        copy.outcome = CopyWriteError;
        copy.error = FailureCode();
    }
    switch (copy.outcome) {
    case CopyStopped:
        return static_cast<int>(platform::err::Cancelled);
    case CopyTooLarge:
        std::remove(target_.c_str());
        return kTooLarge;
    case CopyComplete:
        if (copy.bytes == 0)
            return kNothingReceived;
        if (knowsModified)
            platform::setFileModificationTime(target_.c_str(), modified);
        return 0;
    default:
        return static_cast<int>(copy.error);
    }
}

} // namespace qx
