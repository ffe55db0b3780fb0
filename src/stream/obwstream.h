#pragma once

#include "stream/owstream.h"

#include <cstdint>
#include <memory>

namespace qx {

// Buffered output. Bytes collect in a buffer of a fixed size and go to the
// transport when it is full, on a seek outside it, on flush and on
// destruction. Seeking back into bytes still in the buffer (to patch a length
// field, say) and forward again costs nothing.
class obwstream : public owstream {
public:
    obwstream(wstreambuf* buf, int bufsize);
    // Flushes; a failure here goes unreported, so writers that must know call
    // flush() (or close the file stream) first.
    ~obwstream() override;

    int write(const void* src, int n) override;
    int hwrite(const void* src, int n) override;
    int tell() override;
    int seek(int offset, int origin) override;

    // Writes the buffered bytes to the transport: 0, or -1 (failbit) when they
    // or any earlier bytes did not all get there.
    int flush();

protected:
    explicit obwstream(int bufsize);

private:
    // Writes the buffered bytes and leaves the transport at the stream
    // position; false (failbit set) when bytes were lost.
    bool emptybuffer();

    int size_;
    std::unique_ptr<char[]> buffer_;
    char* next_;             // where the next byte goes
    char* high_;             // end of the bytes written so far
    std::int64_t start_ = 0; // stream position of the buffer start
};

} // namespace qx
