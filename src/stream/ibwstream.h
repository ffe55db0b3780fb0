#pragma once

#include "stream/iwstream.h"

#include <cstdint>
#include <memory>

namespace qx {

// Buffered input. Reads are served from a buffer of a fixed size that is
// refilled from the transport; seeks inside the buffered bytes cost nothing.
class ibwstream : public iwstream {
public:
    ibwstream(wstreambuf* buf, int bufsize);

    int read(void* dst, int n) override;
    int hread(void* dst, int n) override;
    int seek(int offset, int origin) override;
    int tell() override;

protected:
    // The transport is attached by the derived stream.
    explicit ibwstream(int bufsize);

private:
    // One unbuffered read into dst; the buffer is left empty at the new position.
    int fetch(char* dst, int n);
    void dropbuffer();

    int size_;
    std::unique_ptr<char[]> buffer_;
};

} // namespace qx
