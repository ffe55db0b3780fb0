#pragma once

namespace qx {

// A transport under a stream: moves raw bytes to and from a file, a block of
// memory, a module's resource or a network connection. Counts and positions are
// signed 32-bit; -1 is the error value throughout.
//
// The operations come in pairs, read/hread and write/hwrite, for ordinary and
// large blocks. Each default calls its partner, so a transport overrides at
// least one of each pair (network transports override hread and hwrite, the
// others read and write).
class wstreambuf {
public:
    wstreambuf() = default;
    wstreambuf(const wstreambuf&) = delete;
    wstreambuf& operator=(const wstreambuf&) = delete;
    virtual ~wstreambuf() = default;

    // The transport is usable.
    virtual bool isopen() const;
    // The largest block one read or write call is meant to move.
    virtual int maxblock() const;
    // Bytes read, 0 at the end, -1 on error.
    virtual int read(void* dst, int n);
    virtual int hread(void* dst, int n);
    // Bytes written, or -1.
    virtual int write(const void* src, int n);
    virtual int hwrite(const void* src, int n);
    // origin 0 from the start, 1 from the current position, 2 from the end;
    // the new position from the start, or -1.
    virtual int seek(int offset, int origin) = 0;
    virtual int tell();
};

} // namespace qx
