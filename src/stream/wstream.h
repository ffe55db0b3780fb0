#pragma once

#include "stream/wstreambuf.h"

#include <cstdint>
#include <memory>

namespace qx {

// The common part of every stream: the transport under it and the state word.
// A stream records failures in its state instead of returning them from each
// operation; callers test the state after a run of operations. The state is
// only ever cleared of eofbit (by a successful seek): once failed, a stream
// stays failed.
class wstream {
public:
    enum : int {
        eofbit = 0x01,  // a read or write moved fewer bytes than asked
        failbit = 0x02, // the transport failed, or a seek or tell was refused
        badbit = 0x04,  // no transport, or it was not open at construction
        hardbit = 0x80, // never set here; like failbit and badbit it blocks seek and tell
    };

    // Attaches a transport it does not own: state 0 when it exists and is
    // open, else badbit.
    explicit wstream(wstreambuf* buf);
    wstream(const wstream&) = delete;
    wstream& operator=(const wstream&) = delete;
    virtual ~wstream();

    // The new position, or -1 (failbit). Refused on a failed stream.
    virtual int seek(int offset, int origin);
    virtual int tell();

    int state() const { return state_; }
    bool good() const { return state_ == 0; }
    void setstate(int bits) { state_ |= bits; }
    wstreambuf* rdbuf() const { return buf_; }

protected:
    wstream() = default;
    // For streams that make their own transport after the bases are built.
    void attach(wstreambuf* buf);
    // Attaches a transport the stream owns and deletes with itself, after every
    // derived part (a buffered stream flushes into it) is gone.
    void adopt(std::unique_ptr<wstreambuf> buf);
    void clearstate(int bits) { state_ &= ~bits; }
    // A seek or tell may go ahead; if not, failbit is set. Inline: a document
    // asks for its position twice per record.
    bool seekable() {
        if (buf_ && (state_ & (failbit | badbit | hardbit)) == 0)
            return true;
        setstate(failbit);
        return false;
    }
    // A position as the stream's 32-bit answer: -1 with failbit past 2 GiB.
    int narrowposition(std::int64_t at);
    // seek(0, 1) of a buffered stream: its tell(), clearing eofbit as every
    // successful seek does.
    int seekcurrent();
    // There is a transport that was open when attached. A stream without one
    // moves no bytes and reports 0 for every read and write.
    bool usable() const { return buf_ && (state_ & badbit) == 0; }

private:
    wstreambuf* buf_ = nullptr;
    std::unique_ptr<wstreambuf> owned_;
    int state_ = badbit;
};

} // namespace qx
