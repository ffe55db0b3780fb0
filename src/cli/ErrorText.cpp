#include "cli/ErrorText.h"

#include "model/DocumentFile.h"
#include "model/DocumentFormat.h"
#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>
#include <utility>

namespace qx::cli {

namespace {

// The errno that each code of the system error space stands for, where the
// C library has words for it.
constexpr std::pair<platform::SysError, int> kErrnoOf[] = {
    {platform::err::FileNotFound, ENOENT},
    {platform::err::PathNotFound, ENOTDIR},
    {platform::err::TooManyOpenFiles, EMFILE},
    {platform::err::AccessDenied, EACCES},
    {platform::err::NotEnoughMemory, ENOMEM},
    {platform::err::WriteProtect, EROFS},
    {platform::err::FileExists, EEXIST},
    {platform::err::AlreadyExists, EEXIST},
    {platform::err::DiskFull, ENOSPC},
    {platform::err::FilenameTooLong, ENAMETOOLONG},
    {platform::err::Directory, EISDIR},
    {platform::err::IoDevice, EIO},
    {platform::err::Busy, EBUSY},
    {platform::err::InvalidParameter, EINVAL},
};

} // namespace

std::string systemerrortext(unsigned code) {
    if (code >= platform::kUnmappedErrnoBase) {
        return std::strerror(static_cast<int>(code - platform::kUnmappedErrnoBase));
    }
    for (auto [known, error] : kErrnoOf) {
        if (known == code) {
            return std::strerror(error);
        }
    }
    return code == 0 ? "failed" : "system error " + std::to_string(code);
}

std::string documentfailure(int result) {
    switch (result) {
    case DocumentFormat::StreamFailed:
        return "the document is damaged or incomplete";
    case DocumentFormat::NotDocument:
        return "not a qxseek document";
    case DocumentFormat::BadVersion:
        return "a document version this program does not know";
    case kDocumentFileFailed:
        return systemerrortext(platform::lastError());
    default:
        return "failed";
    }
}

} // namespace qx::cli
