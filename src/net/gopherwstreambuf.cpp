#include "net/gopherwstreambuf.h"

#include "net/UrlTransfer.h"

namespace qx {

gopherwstreambuf::gopherwstreambuf(std::shared_ptr<InternetSessionCore> session,
                                   std::unique_ptr<UrlTransfer> transfer, std::uintptr_t context,
                                   Str locator)
    : nwstreambuf(std::move(session), std::move(transfer), context, true),
      locator_(std::move(locator)) {}

} // namespace qx
