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
    std::int64_t at = start_ + (next_ - buffer_.get());
    bool whole = true;
    if (buffered > 0) {
        int put = owstream::write(buffer_.get(), buffered);
        if (put != -1)
            start_ += put;
        whole = put == buffered;
        // After a seek back into the buffer the stream stands before the end
        // of the bytes just written; the transport must stand there too.
        if (whole && at != start_) {
            whole = at <= INT_MAX && rdbuf()->seek(static_cast<int>(at), 0) != -1;
            start_ = at;
        }
    }
    next_ = high_ = buffer_.get();
    // Buffered bytes are lost: unlike a short read this is never undone by a
    // later seek.
    if (!whole)
        setstate(failbit);
    return whole;
}

int obwstream::flush() {
    emptybuffer();
    return state() & (failbit | badbit | hardbit) ? -1 : 0;
}

int obwstream::write(const void* src, int n) {
    if (!usable())
        return 0;
    char* limit = buffer_.get() + size_;
    // The common case: a small field that fits in the buffer.
    if (n > 0 && n < limit - next_) {
        std::memcpy(next_, src, static_cast<std::size_t>(n));
        next_ += n;
        high_ = std::max(high_, next_);
        return n;
    }
    const auto* in = static_cast<const char*>(src);
    int done = 0;
    while (done < n) {
        if (next_ == limit && !emptybuffer())
            break;
        // Blocks at least as large as the buffer skip it when it is empty.
        if (high_ == buffer_.get() && n - done >= size_) {
            int want = n - done;
            int put = owstream::write(in + done, want);
            if (put > 0) {
                start_ += put;
                done += put;
            }
            if (put != want) {
                setstate(failbit);
                break;
            }
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
    if (!emptybuffer())
        return -1;
    int put = owstream::hwrite(src, n);
    if (put > 0)
        start_ += put;
    return put;
}

int obwstream::tell() {
    if (!seekable())
        return -1;
    return narrowposition(start_ + (next_ - buffer_.get()));
}

int obwstream::seek(int offset, int origin) {
    if (origin == 1 && offset == 0)
        return seekcurrent();
    if (!seekable())
        return -1;
    std::int64_t target = origin == 0 ? offset : start_ + (next_ - buffer_.get()) + offset;
    if ((origin == 0 || origin == 1) && target >= start_ &&
        target <= start_ + (high_ - buffer_.get())) {
        next_ = buffer_.get() + (target - start_);
        clearstate(eofbit);
        return static_cast<int>(target);
    }
    if (!emptybuffer())
        return -1;
    clearstate(eofbit);
    int at = rdbuf()->seek(offset, origin);
    if (at == -1) {
        setstate(failbit);
        return -1;
    }
    start_ = at;
    return at;
}

} // namespace qx
