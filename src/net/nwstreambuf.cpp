#include "net/nwstreambuf.h"

#include "net/InternetSessionCore.h"
#include "net/UrlTransfer.h"
#include "platform/SystemError.h"

namespace qx {

nwstreambuf::nwstreambuf(std::shared_ptr<InternetSessionCore> session,
                         std::unique_ptr<UrlTransfer> transfer, std::uintptr_t context,
                         bool readMode)
    : session_(std::move(session)), transfer_(std::move(transfer)), context_(context),
      readMode_(readMode) {}

nwstreambuf::~nwstreambuf() {
    if (session_ && transfer_)
        session_->delist(transfer_.get());
}

bool nwstreambuf::isopen() const {
    return transfer_ != nullptr;
}

int nwstreambuf::hread(void* dst, int n) {
    if (!transfer_) {
        platform::setLastError(platform::err::InvalidHandle);
        return -1;
    }
    return transfer_->read(dst, n);
}

int nwstreambuf::hwrite(const void*, int) {
    platform::setLastError(platform::err::InternetIncorrectHandleType);
    return -1;
}

int nwstreambuf::seek(int, int) {
    platform::setLastError(platform::err::InternetInvalidOption);
    return -1;
}

bool nwstreambuf::QueryMovedUrl(Str& url) const {
    url = Str(transfer_ ? transfer_->movedTo() : std::string());
    return !url.empty();
}

bool nwstreambuf::QueryFinalUrl(Str& url) const {
    if (!transfer_) {
        url.clear();
        return false;
    }
    url = Str(transfer_->finalUrl());
    return true;
}

} // namespace qx
