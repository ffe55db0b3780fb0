#include "net/MyInternetSession.h"

#include "net/StatusCallbackData.h"
#include "settings/Options.h"

namespace qx {

MyInternetSession::MyInternetSession(const Options& options)
    : CInternetSession(kAgent, 1, options.useProxy ? access::Proxy : access::Preconfig,
                       options.proxyWithPort().c_str()) {
    InstallStatusCallback(CheckStatusCallback);
}

MyInternetSession::~MyInternetSession() {
    Close();
}

} // namespace qx
