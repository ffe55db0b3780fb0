#pragma once

#include "net/nwstreambuf.h"

// An opened Gopher item; like every pulled transfer it is read-only.
namespace qx {

class gopherwstreambuf : public nwstreambuf {
public:
    gopherwstreambuf(std::shared_ptr<InternetSessionCore> session,
                     std::unique_ptr<UrlTransfer> transfer, std::uintptr_t context,
                     Str locator = Str());

    const Str& locator() const { return locator_; }

private:
    Str locator_;
};

} // namespace qx
