#pragma once

#include "net/nwstreambuf.h"
#include "platform/DateTime.h"

#include <cstdint>

// An opened HTTP(S) request: the answer's status and headers can be asked
// for as soon as the buffer exists, before any byte of the body is read.
// A query that fails leaves the caller's value as it was and sets the last
// system error (12150 for a header the answer lacks, 12154 for a level that
// is not offered).
namespace qx {

namespace query {
inline constexpr std::uint32_t ContentType = 1;
inline constexpr std::uint32_t ContentLength = 5;
inline constexpr std::uint32_t LastModified = 11;
inline constexpr std::uint32_t StatusCode = 19;
inline constexpr std::uint32_t RetryAfter = 36;
inline constexpr std::uint32_t LevelMask = 0xFFFF;
} // namespace query

class httpwstreambuf : public nwstreambuf {
public:
    httpwstreambuf(std::shared_ptr<InternetSessionCore> session,
                   std::unique_ptr<UrlTransfer> transfer, std::uintptr_t context, Str verb,
                   Str object = Str());

    const Str& verb() const { return verb_; }
    const Str& object() const { return object_; }

    bool QueryStatusCode(int& code) const;
    bool QueryInfoText(std::uint32_t level, Str& text) const;
    bool QueryInfoTime(std::uint32_t level, platform::SystemTime& time) const;
    bool QueryInfoNumber(std::uint32_t level, std::uint32_t& value) const;

private:
    Str object_;
    Str verb_;
};

} // namespace qx
