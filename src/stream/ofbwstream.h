#pragma once

#include "stream/obwstream.h"

namespace qx {

class ofwstreambuf;

// Buffered output to a file, with a buffer of the caller's size. create makes
// or truncates the file; otherwise an existing file is overwritten from the
// start and keeps its bytes beyond what is written. A file that cannot be
// opened gives a stream with badbit.
class ofbwstream : public obwstream {
public:
    ofbwstream(const char* path, int bufsize, bool create = true);

    // Flushes and forces the bytes to the device: 0, or -1 with failbit set.
    int sync();
    // Flushes and closes the file, reporting what the destructor cannot: 0, or
    // -1 with failbit set. Nothing can be written afterwards.
    int close();

private:
    ofwstreambuf* file_;
};

} // namespace qx
