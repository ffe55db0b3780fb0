#pragma once

#include "platform/DateTime.h"

#include <cstdint>

namespace qx {

// What one check's answer means for the reference.
struct CheckVerdict {
    // The new check state (a Ref check-state bit, or 0 for none).
    std::uint16_t state = 0;
    enum class Status {
        Keep,  // the page's status text stays as it is
        Clear, // the page answered: no status text
        Set,   // the status text says why the check failed
    } status = Status::Keep;
};

// The check state and the status text's fate from the worker's result (0
// answered, -1 an HTTP failure, else a system error code), the HTTP status
// (0 when none was read), and the Last-Modified time (when obtained) against
// the page's stored date: a stored date that names no moment is earlier than
// any.
CheckVerdict JudgeCheck(int result, int httpStatus, bool lastModifiedObtained,
                        const platform::SystemTime& lastModified,
                        const platform::SystemTime& stored);

} // namespace qx
