#include "stream/obwstream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace qx {

obwstream::obwstream(int bufsize)
    : size_(std::max(bufsize, 1)), buffer_(new char[static_cast<std::size_t>(size_)]),
      next_(buffer_.get()), high_(buffer_.get()) {}

obwstream::obwstream(wstreambuf* buf, int bufsize) : obwstream(bufsize) {
    attach(buf);
}

obwstream::~obwstream() {
    emptybuffer();
}

bool obwstream::emptybuffer() {
    int buffered = static_cast<int>(high_ - buffer_.get());
    bool whole = true;
    if (buffered > 0) {
        int put = owstream::write(buffer_.get(), buffered);
        if (put != -1)
            start_ += put;
        whole = put == buffered;
    }
    next_ = high_ = buffer_.get();
    return whole;
}

int obwstream::flush() {
    if (emptybuffer())
        return 0;
    // Buffered bytes are lost: unlike a short read this is never undone by a
    // later seek.
    setstate(failbit);
    return -1;
}

int obwstream::write(const void* src, int n) {
    const auto* in = static_cast<const char*>(src);
    int done = 0;
    char* limit = buffer_.get() + size_;
    while (done < n) {
        if (next_ == limit && flush() != 0)
            break;
        // Blocks at least as large as the buffer skip it when it is empty.
        if (high_ == buffer_.get() && n - done >= size_) {
            int want = n - done;
            int put = owstream::write(in + done, want);
            if (put > 0) {
                start_ += put;
                done += put;
            }
            if (put != want)
                break;
            continue;
        }
        int count = static_cast<int>(std::min<std::ptrdiff_t>(limit - next_, n - done));
        std::memcpy(next_, in + done, static_cast<std::size_t>(count));
        next_ += count;
        high_ = std::max(high_, next_);
        done += count;
    }
    return done;
}

int obwstream::hwrite(const void* src, int n) {
    if (flush() != 0)
        return -1;
    int put = owstream::hwrite(src, n);
    if (put > 0)
        start_ += put;
    return put;
}

int obwstream::tell() {
    if (!seekable())
        return -1;
    std::int64_t at = start_ + (next_ - buffer_.get());
    if (at > INT_MAX) {
        setstate(failbit);
        return -1;
    }
    return static_cast<int>(at);
}

int obwstream::seek(int offset, int origin) {
    if (origin == 1 && offset == 0)
        return tell();
    if (!seekable())
        return -1;
    if (origin < 0 || origin > 2) {
        setstate(failbit);
        return -1;
    }
    std::int64_t target = origin == 0 ? offset : start_ + (next_ - buffer_.get()) + offset;
    if (origin != 2 && target >= start_ && target <= start_ + (high_ - buffer_.get())) {
        next_ = buffer_.get() + (target - start_);
        clearstate(eofbit);
        return static_cast<int>(target);
    }
    if (flush() != 0)
        return -1;
    clearstate(eofbit);
    // After the flush the transport stands at the end of the buffered bytes,
    // not at the stream's position: a relative seek is made absolute.
    int at = -1;
    if (origin == 2)
        at = rdbuf()->seek(offset, 2);
    else if (target >= 0 && target <= INT_MAX)
        at = rdbuf()->seek(static_cast<int>(target), 0);
    if (at == -1) {
        setstate(failbit);
        return -1;
    }
    start_ = at;
    return at;
}

} // namespace qx
