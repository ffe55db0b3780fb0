#include "search/FindForm.h"

namespace qx {

namespace {

bool isblank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::string FindForm::normalised(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (char c : text) {
        if (isblank(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank)
            out += ' ';
        pendingBlank = false;
        out += c;
    }
    return out;
}

std::int32_t FindForm::maxresults(std::string_view text) {
    while (!text.empty() && isblank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isblank(text.back()))
        text.remove_suffix(1);
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return kMaxResults;
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
        // Past the limit already: no need to read on (and no wrapping).
        if (value > static_cast<std::uint32_t>(kMaxResults))
            return kMaxResults;
    }
    return value == 0 ? kMaxResults : static_cast<std::int32_t>(value);
}

FindInfo FindForm::request() const {
    FindInfo request;
    request.query = Str(normalised(query));
    request.max = maxresults(max);
    request.servers = servers;
    request.check = check;
    request.exclude = excludeEnabled ? Str(normalised(exclude)) : Str();
    request.queryMode = mode >= 1 && mode <= 3 ? mode : 0;
    return request;
}

} // namespace qx
