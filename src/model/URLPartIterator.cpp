#include "model/URLPartIterator.h"

#include <cstring>

namespace qx {

URLPartIterator::URLPartIterator(std::string_view url) : copy_(url.substr(0, url.find('\0'))) {
    cutAt_ = copy_.find_first_of("?#");
    if (cutAt_ != std::string::npos) {
        cutChar_ = copy_[cutAt_];
        copy_[cutAt_] = '\0';
    }
    // The scheme and the slashes after it belong to the first piece.
    std::size_t colon = copy_.find(':');
    if (colon != std::string::npos && colon < cutAt_) {
        cursor_ = colon + 1;
        while (cursor_ < copy_.size() && copy_[cursor_] == '/')
            ++cursor_;
    }
}

bool URLPartIterator::isSeparator(std::size_t at) const {
    return copy_[at] == '/' || copy_[at] == '\\';
}

bool URLPartIterator::Next() {
    if (done_)
        return false;
    if (cursor_ < copy_.size() && copy_[cursor_] != '\0') {
        std::size_t at = cursor_;
        while (at < copy_.size() && copy_[at] != '\0' && !isSeparator(at))
            ++at;
        if (at < copy_.size() && copy_[at] != '\0') {
            copy_[at] = '\0';
            cursor_ = at;
            if (cursor_ > start_) {
                first_ = false;
                return true;
            }
        } else if (cutAt_ != std::string::npos && first_) {
            // scheme://host?query: hand out the host before the query.
            cursor_ = at - 1;
            first_ = false;
            return true;
        }
    }
    return finish();
}

bool URLPartIterator::finish() {
    if (cutAt_ != std::string::npos)
        copy_[cutAt_] = cutChar_;
    first_ = false;
    done_ = true;
    return false;
}

void URLPartIterator::Advance() {
    if (done_ || cursor_ >= copy_.size())
        return;
    ++cursor_;
    while (cursor_ < copy_.size() && copy_[cursor_] != '\0' && isSeparator(cursor_))
        ++cursor_;
    start_ = cursor_;
}

std::string_view URLPartIterator::Piece() const {
    if (start_ >= copy_.size())
        return {};
    const char* begin = copy_.data() + start_;
    return {begin, std::strlen(begin)};
}

} // namespace qx
