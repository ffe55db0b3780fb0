#include "workers/CheckVerdict.h"

#include "model/Ref.h"

namespace qx {

namespace {

// The library's own failure: the check says nothing about the page.
constexpr int kInternalError = 12004;

} // namespace

CheckVerdict JudgeCheck(int result, int httpStatus, bool lastModifiedObtained,
                        const platform::SystemTime& lastModified,
                        const platform::SystemTime& stored) {
    if (result == kInternalError)
        return {0, CheckVerdict::Status::Keep};
    if (result == -1 && httpStatus == 404)
        return {Ref::CheckNotFound, CheckVerdict::Status::Set};
    // 204: the page answered, only without a body.
    if (result != 0 ||
        (httpStatus != 0 && httpStatus != 200 && httpStatus != 204 && httpStatus != 304))
        return {Ref::CheckError, CheckVerdict::Status::Set};
    const bool changed = lastModifiedObtained && platform::isLater(lastModified, stored);
    return {changed ? Ref::CheckChanged : Ref::CheckUnchanged, CheckVerdict::Status::Clear};
}

} // namespace qx
