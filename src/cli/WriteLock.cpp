#include "cli/WriteLock.h"

#include "cli/Cli.h"
#include "cli/ErrorText.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace qx::cli {

using State = platform::DocumentLock::State;

bool WriteLock::take(const std::string& document, bool force) {
    switch (lock_.acquire(document, force)) {
    case State::Held:
        return true;
    case State::Busy:
        if (force)
            return true;
        fail(document + " is open in another program (" + lock_.owner().describe() +
             "); --force writes it anyway");
        return false;
    case State::OtherHost:
        fail(document + " is open on another computer (" + lock_.owner().describe() +
             "); --force writes it anyway");
        return false;
    case State::Unprotected:
        if (platform::isRegularFile(document))
            std::fprintf(stderr,
                         "qxseek-cli: warning: %s is not protected from other writers: %s\n",
                         document.c_str(), systemerrortext(lock_.error()).c_str());
        return true;
    }
    return true;
}

} // namespace qx::cli
