#include "exchange/ExchangeFormats.h"

#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdio>

namespace qx::exchange {

namespace {
constexpr std::string_view kPrivatePrefix = "application/x-tree-view-data-";
}

std::string privateFormat(std::uint32_t processId) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", processId);
    return std::string(kPrivatePrefix) + hex;
}

const std::string& ownPrivateFormat() {
    static const std::string name = privateFormat(platform::processId());
    return name;
}

bool isPrivateFormat(std::string_view format) {
    return format.starts_with(kPrivatePrefix);
}

std::string pasteFormat(std::span<const std::string> available) {
    for (std::string_view wanted : {kOrganizer, kUriList, kMozUrl, kText}) {
        if (std::find(available.begin(), available.end(), wanted) != available.end())
            return std::string(wanted);
    }
    return {};
}

FormatEnumerator::Result FormatEnumerator::next(std::size_t count, std::string* out,
                                                std::size_t* fetched) {
    if (!out)
        return InvalidArg;
    std::size_t copied = 0;
    while (copied < count && cursor_ < formats_->size())
        out[copied++] = (*formats_)[cursor_++];
    if (fetched)
        *fetched = copied;
    return copied == count ? Ok : False;
}

FormatEnumerator::Result FormatEnumerator::skip(std::size_t count) {
    const std::size_t left = formats_->size() - cursor_;
    cursor_ += std::min(count, left);
    return count <= left ? Ok : False;
}

std::unique_ptr<FormatEnumerator> FormatEnumerator::clone() const {
    return std::make_unique<FormatEnumerator>(*formats_);
}

} // namespace qx::exchange
