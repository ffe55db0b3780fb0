#pragma once

#include "platform/SystemError.h"

#include <curl/curl.h>

// libcurl's result codes in the program's system error space, so that a
// failed transfer reads like any other failed call of the platform.
namespace qx {

// The code for a finished transfer's result. tlsVerifyResult is the TLS
// library's certificate verdict (CURLINFO_SSL_VERIFYRESULT) and osErrno the
// socket's errno (CURLINFO_OS_ERRNO); both refine the answer and may be 0.
platform::SysError sysErrorOfCurl(CURLcode code, long tlsVerifyResult = 0, long osErrno = 0);

} // namespace qx
