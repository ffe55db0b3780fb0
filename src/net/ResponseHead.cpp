#include "net/ResponseHead.h"

#include <cctype>
#include <strings.h>

namespace qx {

namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           ::strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "HTTP/1.1 200 OK" -> 200; 0 unless three digits follow the first blank.
long statusOfLine(std::string_view line) {
    const auto space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4)
        return 0;
    long code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(line[i])))
            return 0;
        code = code * 10 + (line[i] - '0');
    }
    return code;
}

} // namespace

ResponseHead::Step ResponseHead::feed(std::string_view line, std::size_t wireBytes) {
    if (startsWithNoCase(line, "HTTP/")) {
        clear();
        status_ = statusOfLine(line);
        bytes_ = wireBytes;
        return bytes_ > kMaxBytes ? Step::TooLarge : Step::NewAnswer;
    }
    bytes_ += wireBytes;
    if (bytes_ > kMaxBytes)
        return Step::TooLarge;
    if (line.empty()) {
        if (status_ >= 100 && status_ < 200) {
            lines_.clear();
            return Step::Interim;
        }
        return Step::Complete;
    }
    if ((line.front() == ' ' || line.front() == '\t') && !lines_.empty())
        lines_.back().append(" ").append(trimmed(line));
    else
        lines_.emplace_back(line);
    return Step::None;
}

void ResponseHead::clear() {
    status_ = 0;
    bytes_ = 0;
    lines_.clear();
}

std::optional<std::string> ResponseHead::value(std::string_view name) const {
    for (const std::string& line : lines_) {
        if (line.size() > name.size() && line[name.size()] == ':' && startsWithNoCase(line, name))
            return std::string(trimmed(std::string_view(line).substr(name.size() + 1)));
    }
    return std::nullopt;
}

} // namespace qx
