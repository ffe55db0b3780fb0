#pragma once

#include "platform/DocumentLock.h"

#include <string>

namespace qx::cli {

// The lock a command that saves a document holds on it while it runs, so
// that it never writes over a document the program or another command has
// open. Reading commands take none.
class WriteLock {
public:
    static constexpr const char* kFlag = "--force";
    static constexpr const char* kHelp =
        "--force: write the document even while the program or another command has it\n"
        "open (the other's unsaved work is then overwritten when it saves).";

    // False, with the holder reported, when another process (or another
    // computer) holds the document and force is not given. A document
    // nobody holds, or one left locked by a process that is gone, is taken.
    // Where no lock file can be made beside an existing document the command
    // goes on after a warning.
    bool take(const std::string& document, bool force);

private:
    platform::DocumentLock lock_;
};

} // namespace qx::cli
