#include "stream/ibwstream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace qx {

ibwstream::ibwstream(int bufsize)
    : size_(std::max(bufsize, 1)), buffer_(new char[static_cast<std::size_t>(size_)]) {
    // next_ and end_ frame the valid bytes of the buffer.
    next_ = end_ = buffer_.get();
}

ibwstream::ibwstream(wstreambuf* buf, int bufsize) : ibwstream(bufsize) {
    attach(buf);
}

int ibwstream::fetch(char* dst, int n) {
    int got = iwstream::read(dst, n);
    if (got == -1)
        return -1;
    after_ += got;
    // A short count is not the end yet: the caller asks again and only a read
    // of nothing ends the data.
    clearstate(eofbit);
    next_ = end_ = buffer_.get();
    return got;
}

int ibwstream::read(void* dst, int n) {
    // The common case: a small field that the buffer already holds.
    if (n > 0 && n <= end_ - next_) {
        std::memcpy(dst, next_, static_cast<std::size_t>(n));
        next_ += n;
        return n;
    }
    auto* out = static_cast<char*>(dst);
    int done = 0;
    while (done < n) {
        if (next_ < end_) {
            int count = static_cast<int>(std::min<std::ptrdiff_t>(end_ - next_, n - done));
            std::memcpy(out + done, next_, static_cast<std::size_t>(count));
            next_ += count;
            done += count;
            continue;
        }
        // Blocks at least as large as the buffer skip it.
        if (n - done >= size_) {
            int got = fetch(out + done, n - done);
            if (got <= 0)
                break;
            done += got;
        } else {
            int got = fetch(buffer_.get(), size_);
            if (got <= 0)
                break;
            end_ = buffer_.get() + got;
        }
    }
    if (done < n)
        setstate(eofbit);
    return done;
}

int ibwstream::hread(void* dst, int n) {
    if (n <= 0)
        return 0;
    // Hand out what is buffered first instead of seeking the transport back
    // over it: a network transport cannot seek.
    auto* out = static_cast<char*>(dst);
    int done = static_cast<int>(std::min<std::ptrdiff_t>(end_ - next_, n));
    std::memcpy(out, next_, static_cast<std::size_t>(done));
    next_ += done;
    if (done == n)
        return done;
    int got = iwstream::hread(out + done, n - done);
    if (got == -1)
        return done > 0 ? done : -1;
    after_ += got;
    next_ = end_ = buffer_.get();
    return done + got;
}

void ibwstream::dropbuffer() {
    after_ -= end_ - next_;
    next_ = end_ = buffer_.get();
}

int ibwstream::tell() {
    if (!seekable())
        return -1;
    return narrowposition(after_ - (end_ - next_));
}

int ibwstream::seek(int offset, int origin) {
    if (origin == 1 && offset == 0)
        return seekcurrent();
    if (!seekable())
        return -1;
    if (origin < 0 || origin > 2) {
        setstate(failbit);
        return -1;
    }
    std::int64_t first = after_ - (end_ - buffer_.get());
    std::int64_t target = origin == 0 ? offset : after_ - (end_ - next_) + offset;
    if (origin != 2 && target >= first && target <= after_) {
        next_ = buffer_.get() + (target - first);
        clearstate(eofbit);
        return static_cast<int>(target);
    }
    // The transport stands after the buffered bytes, not at the stream's
    // position: a relative seek is made absolute.
    dropbuffer();
    clearstate(eofbit);
    int at = -1;
    if (origin == 2)
        at = rdbuf()->seek(offset, 2);
    else if (target >= 0 && target <= INT_MAX)
        at = rdbuf()->seek(static_cast<int>(target), 0);
    if (at == -1) {
        setstate(failbit);
        return -1;
    }
    after_ = at;
    return at;
}

} // namespace qx
