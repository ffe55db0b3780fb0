#pragma once

#include "stream/Str.h"
#include "stream/wstreambuf.h"

#include <cstdint>
#include <memory>

// The transport of one opened URL: reads pull the transfer on. A pulled
// transfer cannot go back, so seek answers -1; writing is for writable FTP
// files, which the session does not offer, so hwrite answers -1 too.
namespace qx {

class InternetSessionCore;
class UrlTransfer;

class nwstreambuf : public wstreambuf {
public:
    nwstreambuf(std::shared_ptr<InternetSessionCore> session, std::unique_ptr<UrlTransfer> transfer,
                std::uintptr_t context, bool readMode);
    ~nwstreambuf() override;

    bool isopen() const override;
    int hread(void* dst, int n) override;
    int hwrite(const void* src, int n) override;
    int seek(int offset, int origin) override;

    std::uintptr_t context() const { return context_; }
    bool readMode() const { return readMode_; }
    // The address after every redirect; false (and url cleared) when the
    // buffer is not open.
    bool QueryFinalUrl(Str& url) const;
    // Where permanent redirects led (see UrlTransfer::movedTo); false and
    // url cleared when there were none or the buffer is not open.
    bool QueryMovedUrl(Str& url) const;

protected:
    const UrlTransfer* transfer() const { return transfer_.get(); }

private:
    std::shared_ptr<InternetSessionCore> session_;
    std::unique_ptr<UrlTransfer> transfer_;
    std::uintptr_t context_;
    bool readMode_;
};

} // namespace qx
