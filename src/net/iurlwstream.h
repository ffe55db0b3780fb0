#pragma once

#include "platform/DateTime.h"
#include "stream/Str.h"
#include "stream/ibwstream.h"

#include <cstdint>
#include <memory>

// The stream a worker reads a URL through: buffered (1024 bytes) over the
// buffer OpenUrl gave, which it owns. A null or unopened buffer gives badbit,
// which is how the worker learns that opening failed. The HTTP queries need
// an HTTP buffer and fail on any other; the final URL needs a network one.
namespace qx {

class iurlwstream : public ibwstream {
public:
    static constexpr int kBufferSize = 1024;
    explicit iurlwstream(std::unique_ptr<wstreambuf> buf);

    bool IsHttp() const;
    bool QueryStatusCode(int& code) const;
    bool QueryInfoText(std::uint32_t level, Str& text) const;
    bool QueryInfoTime(std::uint32_t level, platform::SystemTime& time) const;
    bool QueryInfoNumber(std::uint32_t level, std::uint32_t& value) const;
    bool QueryFinalUrl(Str& url) const;
    bool QueryMovedUrl(Str& url) const;
};

} // namespace qx
