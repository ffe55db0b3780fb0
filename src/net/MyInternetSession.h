#pragma once

#include "net/CInternetSession.h"

// The session of a reference-check worker: agent "NorbaSeek", the proxy of
// the settings, and the check worker's status callback, whose context is the
// worker's StatusCallbackData.
namespace qx {

struct Options;

class MyInternetSession : public CInternetSession {
public:
    explicit MyInternetSession(const Options& options);
    ~MyInternetSession() override;

    static constexpr const char* kAgent = "NorbaSeek";
};

} // namespace qx
