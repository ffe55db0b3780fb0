#include "net/_MyInternetSession.h"

#include "net/StatusCallbackData.h"
#include "settings/Options.h"

namespace qx {

_MyInternetSession::_MyInternetSession(const Options& options)
    : CInternetSession(kAgent, 1, options.useProxy ? access::Proxy : access::Preconfig,
                       options.proxyWithPort().c_str()) {
    InstallStatusCallback(CheckStatusCallback);
}

_MyInternetSession::~_MyInternetSession() {
    Close();
}

} // namespace qx
