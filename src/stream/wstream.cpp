#include "stream/wstream.h"

#include <climits>

namespace qx {

wstream::wstream(wstreambuf* buf) {
    attach(buf);
}

wstream::~wstream() = default;

void wstream::attach(wstreambuf* buf) {
    buf_ = buf;
    state_ = buf && buf->isopen() ? 0 : badbit;
}

void wstream::adopt(std::unique_ptr<wstreambuf> buf) {
    owned_ = std::move(buf);
    attach(owned_.get());
}

int wstream::narrowposition(std::int64_t at) {
    if (at > INT_MAX) {
        setstate(failbit);
        return -1;
    }
    return static_cast<int>(at);
}

int wstream::seekcurrent() {
    int at = tell();
    if (at != -1)
        clearstate(eofbit);
    return at;
}

int wstream::seek(int offset, int origin) {
    if (!seekable())
        return -1;
    clearstate(eofbit);
    int at = buf_->seek(offset, origin);
    if (at == -1)
        setstate(failbit);
    return at;
}

int wstream::tell() {
    if (!seekable())
        return -1;
    int at = buf_->tell();
    if (at == -1)
        setstate(failbit);
    return at;
}

} // namespace qx
