#pragma once

#include <curl/curl.h>

// One libcurl share for the whole process: open connections, resolved names
// and TLS sessions are pooled across every session, so that a thousand checks
// against one host reuse a handful of connections. Sessions stay per worker;
// only these caches are common, each behind its own lock.
namespace qx {

// The share handle, made (with libcurl's global set-up) on first use and kept
// until the process ends. Null only when libcurl could not be set up.
CURLSH* sharedCurlState();

} // namespace qx
