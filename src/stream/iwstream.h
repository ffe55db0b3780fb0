#pragma once

#include "stream/Str.h"
#include "stream/wstream.h"

#include <cstdint>
#include <cstring>

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
    iwstream& get8(std::uint8_t& value) { return getle(value); }
    iwstream& get16(std::uint16_t& value) { return getle(value); }
    iwstream& get32(std::uint32_t& value) { return getle(value); }
    iwstream& get64(std::uint64_t& value) { return getle(value); }

    // The position as tell() answers it, without tell()'s virtual call while
    // a buffered stream's window holds it: a document asks twice per record.
    int position() {
        if (next_ && good()) {
            return narrowposition(after_ - (end_ - next_));
        }
        return tell();
    }

    // The next character with every line end (CR, LF, CR LF, LF CR) made one
    // LF; 0 at the end of the data.
    int getc();
    // Reads at most size-1 characters up to a line end (not stored), the end
    // of the data or a failure, terminates them and stores the count when
    // asked. Returns buf; size 0 leaves buf untouched.
    char* getline(char* buf, int size, int* count = nullptr);

protected:
    iwstream() = default;

    // The bytes a buffered stream holds ahead of its position (none in an
    // unbuffered one). Fields that lie wholly inside are taken inline: a
    // document is millions of two- and four-byte fields, and a virtual call
    // for each one costs more than copying it.
    char* next_ = nullptr;
    char* end_ = nullptr;
    // The stream position just past the window's bytes.
    std::int64_t after_ = 0;

private:
    friend iwstream& operator>>(iwstream& in, Str& text);

    bool take(void* dst, int n) {
        if (n > end_ - next_) {
            return false;
        }
        std::memcpy(dst, next_, static_cast<std::size_t>(n));
        next_ += n;
        return true;
    }
    template <class Unsigned> iwstream& getle(Unsigned& value) {
        std::uint8_t b[sizeof(Unsigned)];
        value = 0;
        if (take(b, sizeof b) || getbytes(b, sizeof b)) {
            for (int i = sizeof b - 1; i >= 0; --i) {
                value = static_cast<Unsigned>(value << 8 | b[i]);
            }
        }
        return *this;
    }
    bool getbytes(void* dst, int n);

    int lastraw_ = 0; // pairs the two bytes of a line end in getc
};

// A text in its stream form: 16-bit length and the bytes. Length 0 reads back
// as null; on a failed read the text is null.
iwstream& operator>>(iwstream& in, Str& text);

} // namespace qx
