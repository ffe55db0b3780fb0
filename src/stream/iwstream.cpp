#include "stream/iwstream.h"

namespace qx {

iwstream::iwstream(wstreambuf* buf) : wstream(buf) {}

int iwstream::read(void* dst, int n) {
    if (!usable() || n <= 0)
        return 0;
    int got = rdbuf()->read(dst, n);
    if (got == -1)
        setstate(failbit);
    else if (got < n)
        setstate(eofbit);
    return got;
}

int iwstream::hread(void* dst, int n) {
    if (!usable() || n <= 0)
        return 0;
    int got = rdbuf()->hread(dst, n);
    if (got == -1)
        setstate(failbit);
    else if (got < n)
        setstate(eofbit);
    return got;
}

bool iwstream::getbytes(void* dst, int n) {
    if (read(dst, n) == n)
        return true;
    // A stream without a transport sets nothing on its own; a value that did
    // not arrive must still show in the state.
    setstate(eofbit);
    return false;
}

int iwstream::getc() {
    for (;;) {
        unsigned char c;
        if (read(&c, 1) != 1)
            return 0;
        // The second byte of a CR LF or LF CR pair belongs to the line end
        // already returned.
        if ((c == '\n' && lastraw_ == '\r') || (c == '\r' && lastraw_ == '\n')) {
            lastraw_ = 0;
            continue;
        }
        lastraw_ = c;
        return c == '\r' ? '\n' : c;
    }
}

char* iwstream::getline(char* buf, int size, int* count) {
    if (!buf || size <= 0)
        return buf;
    int n = 0;
    while (n < size - 1 && good()) {
        int c = getc();
        if (c == 0 || c == '\n')
            break;
        buf[n++] = static_cast<char>(c);
    }
    buf[n] = '\0';
    if (count)
        *count = n;
    return buf;
}

iwstream& operator>>(iwstream& in, Str& text) {
    text.clear();
    std::uint16_t length = 0;
    in.get16(length);
    if (length == 0)
        return in;
    // A failed allocation leaves the bytes unread; the record frame around the
    // text lets the reader carry on after it.
    char* room = text.allocate(length, true);
    if (room && !in.take(room, length) && in.read(room, length) != length)
        text.clear();
    return in;
}

} // namespace qx
