#pragma once

#include "stream/Str.h"
#include "stream/wstream.h"

#include <cstdint>

namespace qx {

// Unbuffered input: reads go straight to the transport. A -1 from the
// transport sets failbit, a short count eofbit.
class iwstream : public virtual wstream {
public:
    explicit iwstream(wstreambuf* buf);

    // Bytes read, 0 without a transport, -1 on a transport error.
    virtual int read(void* dst, int n);
    virtual int hread(void* dst, int n);

    // Little-endian values; 0 and the state bits set on a short read.
    iwstream& get8(std::uint8_t& value);
    iwstream& get16(std::uint16_t& value);
    iwstream& get32(std::uint32_t& value);
    iwstream& get64(std::uint64_t& value);

    // The next character with every line end (CR, LF, CR LF, LF CR) made one
    // LF; 0 at the end of the data.
    int getc();
    // Reads at most size-1 characters up to a line end (not stored), the end
    // of the data or a failure, terminates them and stores the count when
    // asked. Returns buf; size 0 leaves buf untouched.
    char* getline(char* buf, int size, int* count = nullptr);

protected:
    iwstream() = default;

private:
    bool getbytes(void* dst, int n);

    int lastraw_ = 0; // pairs the two bytes of a line end in getc
};

// A text in its stream form: 16-bit length and the bytes. Length 0 reads back
// as null; on a failed read the text is null.
iwstream& operator>>(iwstream& in, Str& text);

} // namespace qx
