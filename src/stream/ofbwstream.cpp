#include "stream/ofbwstream.h"

#include "stream/fwstreambuf.h"

namespace qx {

ofbwstream::ofbwstream(const char* path, int bufsize, bool create) : obwstream(bufsize) {
    auto file = std::make_unique<ofwstreambuf>(path, create);
    file_ = file.get();
    adopt(std::move(file));
}

int ofbwstream::sync() {
    if (flush() != 0)
        return -1;
    if (file_->sync() == 0)
        return 0;
    setstate(failbit);
    return -1;
}

int ofbwstream::close() {
    bool flushed = flush() == 0;
    bool closed = file_->isopen() && file_->close() == 0;
    if (flushed && closed)
        return 0;
    setstate(failbit);
    return -1;
}

} // namespace qx
